#pragma once
// An effect module loaded into this process for as long as the object lives.

#include <stdexcept>
#include <string>

#include "hostapi/HostApi.h"

namespace vmhost {

class ModuleLoadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class EffectModule {
public:
    // Loads the module and resolves its entry point. On Windows a Unix-style
    // absolute path is accepted too (mapped through Wine's file-name
    // conversion when running under Wine). Throws ModuleLoadError with the
    // system's message when the file cannot be loaded or lacks the symbol.
    explicit EffectModule(const std::string& path, const char* entryName = "EntryPointFunc");
    ~EffectModule();
    EffectModule(const EffectModule&) = delete;
    EffectModule& operator=(const EffectModule&) = delete;

    PF_EffectEntryFunc entry() const { return entry_; }
    // HMODULE on Windows, the dlopen handle elsewhere.
    void* nativeHandle() const { return handle_; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
    void* handle_ = nullptr;
    PF_EffectEntryFunc entry_ = nullptr;
};

}  // namespace vmhost
