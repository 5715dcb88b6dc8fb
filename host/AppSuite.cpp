#include "host/AppSuite.h"

#include <algorithm>
#include <cstring>

#include "host/HostContext.h"
#include "host/ThreadBinding.h"
#include "host/UnimplementedCallback.h"

namespace vmhost {

namespace {

// Writes the configured tag ("en_US", "ja_JP", ...) into the caller's
// PF_APP_LANG_TAG_SIZE buffer, cut to fit.
PF_Err appGetLanguage(A_char* tag) {
    HostContext* host = ThreadBinding::current();
    if (!host) return PF_Err_INVALID_CALLBACK;
    if (!tag) return PF_Err_BAD_CALLBACK_PARAM;
    const auto language = host->appLanguage();
    if (!language) return PF_Err_INVALID_CALLBACK;
    const std::size_t n = std::min<std::size_t>(language->size(), PF_APP_LANG_TAG_SIZE - 1);
    std::memcpy(tag, language->data(), n);
    tag[n] = '\0';
    return PF_Err_NONE;
}

}  // namespace

PFAppSuite5 makeAppSuite() {
    PFAppSuite5 suite{};
    stubOut(suite.PF_AppGetBgColor);
    stubOut(suite.PF_AppGetColor);
    suite.PF_AppGetLanguage = appGetLanguage;
    stubOut(suite.PF_GetPersonalInfo);
    stubOut(suite.PF_GetFontStyleSheet);
    stubOut(suite.PF_SetCursor);
    stubOut(suite.PF_IsRenderEngine);
    stubOut(suite.PF_AppColorPickerDialog);
    stubOut(suite.PF_GetMouse);
    stubOut(suite.PF_InvalidateRect);
    stubOut(suite.PF_ConvertLocalToGlobal);
    stubOut(suite.PF_GetColorAtGlobalPoint);
    return suite;
}

}  // namespace vmhost
