// Folder and file stand-ins for the Win32 shell and file calls, on '/' paths.
#include "platform/Profile.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace platform {

namespace {

bool isAbsolute(const char* path) {
    return path != nullptr && path[0] == '/';
}

// Keeps a lone "/" so that the root stays a root.
std::string withoutTrailingSeparators(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

}  // namespace

// The XDG base-directory rules: relative settings are ignored.
std::string applicationDataFolder() {
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); isAbsolute(config)) {
        return withoutTrailingSeparators(config);
    }
    if (const char* home = std::getenv("HOME"); isAbsolute(home)) {
        std::string folder = withoutTrailingSeparators(home);
        if (folder == "/") folder.clear();
        return folder + "/.config";
    }
    return {};
}

bool createDirectoryChain(const std::string& path) {
    // SHCreateDirectoryExA refuses relative paths.
    if (!isAbsolute(path.c_str())) return false;
    std::error_code error;
    std::filesystem::create_directories(path, error);
    return std::filesystem::is_directory(path, error);
}

void removeFileSpec(std::string& path) {
    const std::size_t last = path.find_last_of('/');
    if (last == std::string::npos) {
        path.clear();
    } else {
        path.erase(last == 0 ? 1 : last);
    }
}

bool deleteFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

bool removeDirectory(const std::string& path) {
    return ::rmdir(path.c_str()) == 0;
}

}  // namespace platform
