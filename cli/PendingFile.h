#pragma once
// An output file that only appears under its final name once it is complete:
// it is written under a hidden temporary name in the same folder and renamed
// by commit(). Without a commit the temporary file is removed, so a failed or
// cancelled write never leaves something that looks finished.

#include <string>

namespace vmcli {

// ".STEM.PID.partial.EXT" for the final file name "STEM.EXT": it keeps the
// final extension, since writers pick their format variant (JPEG 2000 code
// stream or box file, AVIF or HEIC) from the name they open. STEM is cut,
// on a character boundary, so the whole fits the file system's 255 bytes.
std::string partialFileName(const std::string& finalName, long pid);

class PendingFile {
public:
    explicit PendingFile(std::string finalPath);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // Where to write: partialFileName() beside the final file.
    const std::string& tempPath() const { return tempPath_; }
    const std::string& finalPath() const { return finalPath_; }
    // Replaces any file under the final name in one step. Throws RunError.
    void commit();

private:
    std::string finalPath_;
    std::string tempPath_;
    bool committed_ = false;
};

}  // namespace vmcli
