#pragma once
// A file OpenImageIO's writers write through (as their I/O proxy) that
// remembers the first failed write, so a full disk or a failing device is
// seen even where a format's writer ignores what its writes return, and a
// writer that would end the process on a failed write never sees one.

#include <OpenImageIO/filesystem.h>

#include <cstdio>
#include <string>

namespace vmcli {

class CheckedFileOutput : public OIIO::Filesystem::IOFile {
public:
    // Throws RunError when the file cannot be created.
    explicit CheckedFileOutput(const std::string& path);
    ~CheckedFileOutput() override;
    CheckedFileOutput(const CheckedFileOutput&) = delete;
    CheckedFileOutput& operator=(const CheckedFileOutput&) = delete;

    std::size_t write(const void* buf, std::size_t size) override;
    std::size_t pwrite(const void* buf, std::size_t size, int64_t offset) override;

    // Flushes the file to the device and closes it. Returns the first
    // failure's reason, or "" when every byte reached the file.
    std::string finish();

private:
    CheckedFileOutput(std::FILE* file, const std::string& path);
    void noteFailure(std::size_t written, std::size_t size);

    std::FILE* file_;
    std::string failure_;
};

// For writers that open files themselves: flushes the finished file to the
// device. Returns the failure's reason or "".
std::string syncWrittenFile(const std::string& path);

}  // namespace vmcli
