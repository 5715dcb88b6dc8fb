#include "platform/Profile.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <vector>

namespace platform {

std::string applicationDataFolder() {
    char folder[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, folder, CSIDL_APPDATA, FALSE)) return {};
    return folder;
}

unsigned getProfileInt(const char* section, const char* key, int fallback, const char* path) {
    return GetPrivateProfileIntA(section, key, fallback, path);
}

std::size_t getProfileString(const char* section, const char* key, const char* fallback,
                             char* buffer, std::size_t size, const char* path) {
    if (buffer == nullptr || size == 0) return 0;
    const DWORD capacity = static_cast<DWORD>(std::min<std::size_t>(size, MAXDWORD));
    return GetPrivateProfileStringA(section, key, fallback, buffer, capacity, path);
}

bool writeProfileString(const char* section, const char* key, const char* value, const char* path) {
    return WritePrivateProfileStringA(section, key, value, path) != FALSE;
}

bool createDirectoryChain(const std::string& path) {
    const int result = SHCreateDirectoryExA(nullptr, path.c_str(), nullptr);
    if (result == ERROR_SUCCESS) return true;
    // An existing file also reports "already exists"; only a folder will do.
    if (result != ERROR_ALREADY_EXISTS && result != ERROR_FILE_EXISTS) return false;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void removeFileSpec(std::string& path) {
    // PathRemoveFileSpecA works in a MAX_PATH buffer.
    std::vector<char> buffer(std::max<std::size_t>(path.size() + 1, MAX_PATH), '\0');
    std::copy(path.begin(), path.end(), buffer.begin());
    PathRemoveFileSpecA(buffer.data());
    path = buffer.data();
}

bool deleteFile(const std::string& path) {
    return DeleteFileA(path.c_str()) != FALSE;
}

bool removeDirectory(const std::string& path) {
    return RemoveDirectoryA(path.c_str()) != FALSE;
}

}  // namespace platform
