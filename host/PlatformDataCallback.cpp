#include "host/PlatformDataCallback.h"

#include <algorithm>
#include <string>

#include "host/HostContext.h"
#include "host/ModulePath.h"
#include "host/NativeText.h"

namespace vmhost {

namespace {

// The wide path answers are fixed arrays of MAX_PATH UTF-16 code units.
constexpr std::size_t kWidePathUnits = 260;

PF_Err writeWidePath(const std::string& path, void* data) {
    const std::u16string wide = utf16FromUtf8(path);
    if (wide.size() >= kWidePathUnits) return PF_Err_BAD_CALLBACK_PARAM;
    auto* out = static_cast<A_UTF16Char*>(data);
    std::copy(wide.begin(), wide.end(), out);
    out[wide.size()] = 0;
    return PF_Err_NONE;
}

}  // namespace

PF_Err getPlatformData(PF_ProgPtr effectRef, PF_PlatDataID which, void* data) {
    HostContext* host = HostContext::fromRef(effectRef);
    if (!host || !data) return PF_Err_BAD_CALLBACK_PARAM;
    switch (which) {
        case PF_PlatData_MAIN_WND:
            *static_cast<void**>(data) = host->mainWindow();
            return PF_Err_NONE;
        case PF_PlatData_RES_DLLINSTANCE:
            *static_cast<void**>(data) = host->moduleHandle();
            return PF_Err_NONE;
        case PF_PlatData_EXE_FILE_PATH_W:
            return writeWidePath(executablePath(), data);
        case PF_PlatData_RES_FILE_PATH_W:
            return writeWidePath(host->modulePath(), data);
        default:
            return PF_Err_BAD_CALLBACK_PARAM;
    }
}

}  // namespace vmhost
