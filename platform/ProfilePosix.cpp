// Settings files without Win32: the file is read whole, edited as an IniFile and
// written back whole, giving the bytes WritePrivateProfileStringA gives. Writers
// take turns (a lock on the file's folder) and replace the file in one rename, so
// two processes storing at once lose no key and a reader never sees half a file.
#include "platform/Profile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/IniFile.h"
#include "platform/ProfileText.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

namespace platform {

namespace {

// The file's bytes; empty for a file that does not exist yet, nothing when an
// existing file cannot be read.
std::optional<std::string> readFile(const char* path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) return std::string();
    // A folder (or anything else) under the file's name is a store that cannot be read.
    if (error || status.type() != std::filesystem::file_type::regular) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    try {
        std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (in.bad()) return std::nullopt;
        return bytes;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// An exclusive lock on a folder, held for the object's life (flock: released
// when the process ends, however it ends). No lock file is left to keep the
// folder from being removed when the defaults are.
class FolderLock {
public:
    explicit FolderLock(const std::string& folder) : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY)) {
        if (fd_ >= 0 && ::flock(fd_, LOCK_EX) != 0) release();
    }
    ~FolderLock() { release(); }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool held() const { return fd_ >= 0; }

private:
    void release() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

    int fd_;
};

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written <= 0) return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// Like Windows, a file that may not be written is not replaced.
bool mayReplace(const char* path) {
    const int fd = ::open(path, O_WRONLY | O_APPEND);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
    return errno == ENOENT;
}

// The whole file under a temporary name beside it, then renamed over it.
bool replaceFile(const char* path, const std::string& bytes) {
    if (!mayReplace(path)) return false;
    const std::string temporary = std::string(path) + "." + std::to_string(::getpid()) + ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return false;
    bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (written && ::rename(temporary.c_str(), path) == 0) return true;
    ::unlink(temporary.c_str());
    return false;
}

std::size_t copyTruncated(std::string_view text, char* buffer, std::size_t size) {
    const std::size_t count = std::min(text.size(), size - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return count;
}

}  // namespace

unsigned getProfileInt(const char* section, const char* key, int fallback, const char* path) {
    // Windows reads the number through a 30-character buffer: later digits are never seen.
    char digits[30];
    if (getProfileString(section, key, "", digits, sizeof digits, path) == 0) {
        return static_cast<unsigned>(fallback);
    }
    return parseProfileInteger(digits);
}

std::size_t getProfileString(const char* section, const char* key, const char* fallback,
                             char* buffer, std::size_t size, const char* path) {
    if (buffer == nullptr || size == 0) return 0;
    std::optional<std::string> bytes;
    if (section != nullptr && key != nullptr && path != nullptr) bytes = readFile(path);
    if (bytes) {
        const IniFile file = IniFile::parse(*bytes);
        if (const std::optional<std::string_view> value = file.value(section, key)) {
            return copyTruncated(stripEnclosingQuotes(*value), buffer, size);
        }
    }
    const std::string_view text = fallback != nullptr ? fallback : "";
    return copyTruncated(stripEnclosingQuotes(trimTrailingBlanks(text)), buffer, size);
}

bool writeProfileString(const char* section, const char* key, const char* value, const char* path) {
    if (section == nullptr || key == nullptr || value == nullptr || path == nullptr) return false;
    std::string folder = path;
    removeFileSpec(folder);
    const FolderLock lock(folder.empty() ? "." : folder);
    if (!lock.held()) return false;
    const std::optional<std::string> bytes = readFile(path);
    if (!bytes) return false;
    IniFile file = IniFile::parse(*bytes);
    file.set(section, key, value);
    return replaceFile(path, file.serialize());
}

}  // namespace platform
