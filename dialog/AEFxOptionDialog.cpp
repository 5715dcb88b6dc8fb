#include "dialog/AEFxOptionDialog.h"

#include "AEUtil/MbcsText.h"
#include "dialog/DialogTexts.h"
#include "resources/ResourceIds.h"

#include <commctrl.h>
#include <shellapi.h>

namespace FxOptionDlg {

namespace {

constexpr DWORD kLinkControlClass = 0x8000;  // ICC_LINK_CLASS
constexpr UINT kLinkClicked = static_cast<UINT>(-2);  // NM_CLICK

void registerLinkControlOnce() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls{};
        controls.dwSize = sizeof controls;
        controls.dwICC = kLinkControlClass;
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)registered;
}

}  // namespace

AEFxOptionDialog::AEFxOptionDialog(HINSTANCE instance, HWND owner, const char* title, const char* manualUrl,
                                   bool defaultsEnabled, int language)
    : DialogBase(instance, owner, VELUMIXER_IDD_OPTIONS), defaultsEnabled(defaultsEnabled), language(language) {
    registerLinkControlOnce();
    AEUtil::copyBoundedText(this->title, sizeof this->title, title != nullptr ? title : "");
    AEUtil::copyBoundedText(this->manualUrl, sizeof this->manualUrl, manualUrl != nullptr ? manualUrl : "");
    banner = static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(VELUMIXER_IDB_BANNER), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

AEFxOptionDialog::~AEFxOptionDialog() {
    if (banner != nullptr) DeleteObject(banner);
}

INT_PTR AEFxOptionDialog::doModal() {
    const INT_PTR result = DialogBase::doModal();
    return result == -1 ? kOptionsNoAction : result;
}

int AEFxOptionDialog::onInitDialog(HWND window, WPARAM) {
    setText(window, title);
    centerWindow(window);
    setText(GetDlgItem(window, VELUMIXER_IDC_SETTINGS_GROUP), dialogText(kDialogTextSettingsGroup, language));
    setText(GetDlgItem(window, VELUMIXER_IDC_STORE_DEFAULTS), dialogText(kDialogTextStoreDefaults, language));
    setText(GetDlgItem(window, VELUMIXER_IDC_RESTORE_DEFAULTS), dialogText(kDialogTextRestoreDefaults, language));
    if (!defaultsEnabled) {
        EnableWindow(GetDlgItem(window, VELUMIXER_IDC_STORE_DEFAULTS), FALSE);
        EnableWindow(GetDlgItem(window, VELUMIXER_IDC_RESTORE_DEFAULTS), FALSE);
    }
    HWND link = GetDlgItem(window, VELUMIXER_IDC_MANUAL_LINK);
    setText(link, dialogText(kDialogTextManualLink, language));
    if (manualUrl[0] == '\0') {
        EnableWindow(link, FALSE);
        ShowWindow(link, SW_HIDE);
    }
    return 1;
}

int AEFxOptionDialog::onCommand(HWND window, WORD, WORD controlId, LPARAM) {
    // A greyed-out store button can still be pressed by a message; on such a host the
    // store must stay untouched.
    const bool storeButton = controlId == VELUMIXER_IDC_STORE_DEFAULTS || controlId == VELUMIXER_IDC_RESTORE_DEFAULTS;
    if (storeButton && !defaultsEnabled) return 0;
    switch (controlId) {
        case IDOK:
        case IDCANCEL: endDialog(window, kOptionsNoAction); return 1;
        case VELUMIXER_IDC_STORE_DEFAULTS: endDialog(window, kOptionsStoreDefaults); return 1;
        case VELUMIXER_IDC_RESTORE_DEFAULTS: endDialog(window, kOptionsRestoreDefaults); return 1;
        default: return 0;
    }
}

int AEFxOptionDialog::onNotify(HWND window, int controlId, NMHDR* header) {
    if (controlId != VELUMIXER_IDC_MANUAL_LINK || header == nullptr || header->code != kLinkClicked) return 0;
    ShellExecuteA(window, "open", manualUrl, nullptr, nullptr, SW_SHOWNORMAL);
    return 1;
}

int AEFxOptionDialog::onDrawItem(HWND, WPARAM, DRAWITEMSTRUCT* item) {
    if (item == nullptr || item->CtlID != VELUMIXER_IDC_BANNER) return 0;
    BITMAP picture{};
    if (banner == nullptr || GetObjectA(banner, sizeof picture, &picture) == 0) return 1;
    HDC memory = CreateCompatibleDC(item->hDC);
    if (memory == nullptr) return 1;
    HGDIOBJ previous = SelectObject(memory, banner);
    SetStretchBltMode(item->hDC, HALFTONE);
    SetBrushOrgEx(item->hDC, 0, 0, nullptr);  // halftone needs the brush origin reset
    const RECT& area = item->rcItem;
    StretchBlt(item->hDC, area.left, area.top, area.right - area.left, area.bottom - area.top, memory, 0, 0,
               picture.bmWidth, picture.bmHeight, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
    return 1;
}

}  // namespace FxOptionDlg
