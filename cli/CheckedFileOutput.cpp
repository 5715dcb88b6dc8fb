#include "cli/CheckedFileOutput.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "cli/CliErrors.h"

namespace vmcli {

namespace {

std::string errnoText(int code) {
    return code != 0 ? std::strerror(code) : "the file was cut short";
}

std::FILE* createFile(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) throw RunError("cannot write \"" + path + "\": " + errnoText(errno));
    return file;
}

}  // namespace

CheckedFileOutput::CheckedFileOutput(const std::string& path) : CheckedFileOutput(createFile(path), path) {}

CheckedFileOutput::CheckedFileOutput(std::FILE* file, const std::string& path)
    : IOFile(file, Write), file_(file) {
    m_filename = path;
}

CheckedFileOutput::~CheckedFileOutput() {
    if (file_ != nullptr) std::fclose(file_);
}

// After a failure every write is taken as done and dropped: some writers end
// the process on a short write (libjpeg's default error handler calls exit()),
// and the file is thrown away anyway.
std::size_t CheckedFileOutput::write(const void* buf, std::size_t size) {
    if (!failure_.empty()) return size;
    errno = 0;
    noteFailure(IOFile::write(buf, size), size);
    return size;
}

std::size_t CheckedFileOutput::pwrite(const void* buf, std::size_t size, int64_t offset) {
    if (!failure_.empty()) return size;
    errno = 0;
    noteFailure(IOFile::pwrite(buf, size, offset), size);
    return size;
}

void CheckedFileOutput::noteFailure(std::size_t written, std::size_t size) {
    if (written != size && failure_.empty()) failure_ = errnoText(errno);
}

std::string CheckedFileOutput::finish() {
    if (file_ == nullptr) return failure_;
    std::FILE* file = file_;
    file_ = nullptr;
    m_file = nullptr;
    // Buffered bytes meet a full disk only here.
    errno = 0;
    if (std::fflush(file) != 0 && failure_.empty()) failure_ = errnoText(errno);
    if (std::ferror(file) != 0 && failure_.empty()) failure_ = errnoText(errno);
    if (::fsync(fileno(file)) != 0 && failure_.empty()) failure_ = errnoText(errno);
    if (std::fclose(file) != 0 && failure_.empty()) failure_ = errnoText(errno);
    return failure_;
}

std::string syncWrittenFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY);
    if (fd < 0) return errnoText(errno);
    std::string failure;
    if (::fsync(fd) != 0) failure = errnoText(errno);
    if (::close(fd) != 0 && failure.empty()) failure = errnoText(errno);
    return failure;
}

}  // namespace vmcli
