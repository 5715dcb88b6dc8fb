#include "cli/PendingFile.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "cli/CliErrors.h"

namespace vmcli {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxFileNameBytes = 255;

bool isUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::string partialFileName(const std::string& finalName, long pid) {
    const std::string extension = fs::path(finalName).extension().string();
    std::string stem = finalName.substr(0, finalName.size() - extension.size());
    // The process ID keeps two renders into the same folder apart.
    const std::string tail = "." + std::to_string(pid) + ".partial" + extension;
    const std::size_t room = kMaxFileNameBytes - 1 - std::min(tail.size(), kMaxFileNameBytes - 1);
    if (stem.size() > room) {
        std::size_t cut = room;
        while (cut > 0 && isUtf8Continuation(stem[cut])) --cut;
        stem.resize(cut);
    }
    return "." + stem + tail;
}

PendingFile::PendingFile(std::string finalPath) : finalPath_(std::move(finalPath)) {
    const fs::path path(finalPath_);
    tempPath_ = (path.parent_path() / partialFileName(path.filename().string(), getpid())).string();
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
