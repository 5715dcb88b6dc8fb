#include "cli/PendingFile.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "cli/CliErrors.h"

namespace vmcli {

namespace fs = std::filesystem;

PendingFile::PendingFile(std::string finalPath) : finalPath_(std::move(finalPath)) {
    const fs::path path(finalPath_);
    // The process ID keeps two renders into the same folder apart.
    const std::string name = "." + path.filename().string() + "." + std::to_string(getpid()) + ".partial";
    tempPath_ = (path.parent_path() / name).string();
}

PendingFile::~PendingFile() {
    if (committed_) return;
    std::error_code ignored;
    fs::remove(tempPath_, ignored);
}

void PendingFile::commit() {
    std::error_code error;
    // rename() within one folder is atomic: readers see the old file or the new one.
    fs::rename(tempPath_, finalPath_, error);
    if (error) throw RunError("cannot write \"" + finalPath_ + "\": " + error.message());
    committed_ = true;
}

}  // namespace vmcli
