#pragma once
// The effect's Options dialog: store the current values as the defaults of new
// instances, restore the built-in defaults, or open the online manual. It only reports
// which button was pressed; the caller acts on it after the dialog has closed.

#include "dialog/DialogBase.h"

namespace FxOptionDlg {

enum OptionsDialogResult {
    kOptionsNoAction = 0,         // OK, Cancel or the close box
    kOptionsStoreDefaults = 1,
    kOptionsRestoreDefaults = 2,
};

class AEFxOptionDialog : public trelmDlg::DialogBase {
public:
    // manualUrl may be null (no link); title and address are cut to fit their buffers.
    AEFxOptionDialog(HINSTANCE instance, HWND owner, const char* title, const char* manualUrl, bool defaultsEnabled,
                     int language);
    ~AEFxOptionDialog() override;

    // One of OptionsDialogResult; a dialog that could not be created counts as no action.
    INT_PTR doModal() override;

    int onInitDialog(HWND window, WPARAM wParam) override;
    int onCommand(HWND window, WORD notification, WORD controlId, LPARAM lParam) override;
    int onNotify(HWND window, int controlId, NMHDR* header) override;
    int onDrawItem(HWND window, WPARAM wParam, DRAWITEMSTRUCT* item) override;

private:
    char title[256];
    char manualUrl[256];
    bool defaultsEnabled;
    int language;
    HBITMAP banner;
};

}  // namespace FxOptionDlg
