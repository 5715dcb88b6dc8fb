// Load and unload hooks of the effect module: keep the module handle, and free the
// parameter objects when the module goes away (they outlive the filter).
#include "entry/ModuleHandle.h"
#include "params/ParamRegistry.h"

#if defined(_WIN32)

#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    switch (reason) {
        case DLL_PROCESS_ATTACH: moduleHandle = instance; break;
        case DLL_PROCESS_DETACH: destroyParams(); break;
        default: break;
    }
    return TRUE;
}

#else

#include <dlfcn.h>

namespace {

__attribute__((constructor)) void onModuleLoad() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&onModuleLoad), &info) != 0) moduleHandle = info.dli_fbase;
}

__attribute__((destructor)) void onModuleUnload() {
    destroyParams();
}

}  // namespace

#endif
