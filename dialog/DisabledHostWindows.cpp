#include "dialog/DisabledHostWindows.h"

namespace FxOptionDlg {

namespace {

BOOL CALLBACK collectHostWindow(HWND window, LPARAM found) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == GetCurrentProcessId() && IsWindowVisible(window) && IsWindowEnabled(window)) {
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    }
    return TRUE;
}

}  // namespace

DisabledHostWindows::DisabledHostWindows() {
    EnumWindows(&collectHostWindow, reinterpret_cast<LPARAM>(&windows_));
    for (HWND window : windows_) EnableWindow(window, FALSE);
}

DisabledHostWindows::~DisabledHostWindows() {
    for (HWND window : windows_) EnableWindow(window, TRUE);
}

}  // namespace FxOptionDlg
