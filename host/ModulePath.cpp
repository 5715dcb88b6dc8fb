#include "host/ModulePath.h"

#include <stdexcept>
#include <vector>

#include "host/NativeText.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace vmhost {

std::string executablePath() {
#ifdef _WIN32
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) throw std::runtime_error("cannot find the program's own path: " + lastSystemErrorText());
        if (n < buffer.size()) return utf8FromWide(std::wstring(buffer.data(), n));
        buffer.resize(buffer.size() * 2);
    }
#else
    std::vector<char> buffer(4096);
    for (;;) {
        const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) throw std::runtime_error("cannot find the program's own path: " + lastSystemErrorText());
        if (static_cast<std::size_t>(n) < buffer.size()) return std::string(buffer.data(), n);
        buffer.resize(buffer.size() * 2);
    }
#endif
}

std::string parentFolder(const std::string& path) {
    const auto cut = path.find_last_of("/\\");
    if (cut == std::string::npos) return ".";
    if (cut == 0) return path.substr(0, 1);
    return path.substr(0, cut);
}

const char* defaultModuleFileName() {
#ifdef _WIN32
    return "Velumixer.aex";
#else
    return "Velumixer.so";
#endif
}

std::string pathBesideExecutable(const std::string& fileName) {
#ifdef _WIN32
    const char separator = '\\';
#else
    const char separator = '/';
#endif
    return parentFolder(executablePath()) + separator + fileName;
}

std::string defaultModulePath() {
    return pathBesideExecutable(defaultModuleFileName());
}

}  // namespace vmhost
