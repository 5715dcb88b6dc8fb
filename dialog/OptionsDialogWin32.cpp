#include "dialog/OptionsDialog.h"

#include "dialog/AEFxOptionDialog.h"
#include "dialog/DisabledHostWindows.h"
#include "entry/Localization.h"
#include "entry/ModuleHandle.h"
#include "params/UserDefaults.h"

namespace FxOptionDlg {

namespace {

// The host's main window, or null when the host cannot say (the dialog then centres
// itself on the monitor under the cursor).
HWND hostMainWindow(PF_InData* in_data) {
    void* window = nullptr;
    if (in_data->utils != nullptr && in_data->utils->get_platform_data != nullptr &&
        in_data->utils->get_platform_data(in_data->effect_ref, PF_PlatData_MAIN_WND, &window) != PF_Err_NONE) {
        window = nullptr;
    }
    return static_cast<HWND>(window);
}

}  // namespace

int showOptionsDialog(PF_InData* in_data, PF_ParamDef* params[]) {
    HWND mainWindow = hostMainWindow(in_data);
    const int language = getUILanguage(in_data);
    const bool defaultsEnabled = userDefaultsSupported(in_data);

    AEFxOptionDialog dialog(static_cast<HINSTANCE>(moduleHandle), mainWindow,
                            getLocalizedText(kTextOptionsTitle, language),
                            getLocalizedText(kTextManualAddress, language), defaultsEnabled, language);
    INT_PTR result = kOptionsNoAction;
    {
        DisabledHostWindows inertHost;
        result = dialog.doModal();
    }
    // The dialog has closed before anything is written.
    if (result == kOptionsStoreDefaults) {
        storeUserDefaults(in_data, params);
    } else if (result == kOptionsRestoreDefaults) {
        restoreBuiltInDefaults();
    }
    return static_cast<int>(result);
}

}  // namespace FxOptionDlg
