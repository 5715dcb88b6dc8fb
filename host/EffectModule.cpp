#include "host/EffectModule.h"

#include "host/NativeText.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace vmhost {

namespace {

#ifdef _WIN32
// Wine exports this from kernel32; on real Windows it is simply absent.
using WineDosNameFunc = wchar_t* (*)(const char*);

std::wstring systemPath(const std::string& path) {
    if (!path.empty() && path[0] == '/') {
        const auto convert = reinterpret_cast<WineDosNameFunc>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
        if (convert) {
            if (wchar_t* dos = convert(path.c_str())) {
                std::wstring result(dos);
                HeapFree(GetProcessHeap(), 0, dos);
                return result;
            }
        }
    }
    // LOAD_WITH_ALTERED_SEARCH_PATH wants an absolute path.
    const std::wstring given = wideFromUtf8(path);
    const DWORD n = GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
    if (n == 0) return given;
    std::wstring full(n, L'\0');
    const DWORD written = GetFullPathNameW(given.c_str(), n, full.data(), nullptr);
    if (written == 0 || written >= n) return given;
    full.resize(written);
    return full;
}

void* openModule(const std::string& path) {
    const std::wstring wide = systemPath(path);
    // Dependencies beside the module are found like the real host finds them.
    HMODULE module = LoadLibraryExW(wide.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!module) throw ModuleLoadError("cannot load effect module '" + path + "': " + lastSystemErrorText());
    return module;
}

void* findSymbol(void* module, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}

std::string symbolErrorText() {
    return lastSystemErrorText();
}

void closeModule(void* module) {
    FreeLibrary(static_cast<HMODULE>(module));
}
#else
void* openModule(const std::string& path) {
    // Without a slash dlopen would search the library path instead of the folder.
    const std::string local = (path.find('/') == std::string::npos) ? "./" + path : path;
    void* module = dlopen(local.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        const char* why = dlerror();
        throw ModuleLoadError("cannot load effect module '" + path + "': " + (why ? why : "unknown error"));
    }
    return module;
}

void* findSymbol(void* module, const char* name) {
    dlerror();
    return dlsym(module, name);
}

std::string symbolErrorText() {
    const char* why = dlerror();
    return why ? why : "symbol is null";
}

void closeModule(void* module) {
    dlclose(module);
}
#endif

}  // namespace

EffectModule::EffectModule(const std::string& path, const char* entryName) : path_(path) {
    handle_ = openModule(path);
    void* symbol = findSymbol(handle_, entryName);
    if (!symbol) {
        const std::string why = symbolErrorText();
        closeModule(handle_);
        throw ModuleLoadError("effect module '" + path + "' has no entry point '" + entryName + "': " + why);
    }
    entry_ = reinterpret_cast<PF_EffectEntryFunc>(symbol);
}

EffectModule::~EffectModule() {
    closeModule(handle_);
}

}  // namespace vmhost
