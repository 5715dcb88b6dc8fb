#include "dialog/DialogBase.h"

#include <algorithm>
#include <unordered_map>

namespace trelmDlg {

namespace {

// Dialog window -> its object. Touched only from the host's user-interface thread.
std::unordered_map<HWND, DialogBase*> dialogMap;

constexpr UINT kFirstUserMessage = 0x8000;
constexpr UINT kLastUserMessage = 0xBFFF;
constexpr LONG kEdgeMargin = 32;

BOOL CALLBACK rememberMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM found) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info)) return TRUE;
    *reinterpret_cast<RECT*>(found) = info.rcMonitor;
    return FALSE;  // the first monitor under the cursor is enough
}

RECT monitorUnderCursor() {
    POINT cursor{};
    GetCursorPos(&cursor);
    RECT pixel{cursor.x, cursor.y, cursor.x + 1, cursor.y + 1};
    RECT found{};
    EnumDisplayMonitors(nullptr, &pixel, &rememberMonitor, reinterpret_cast<LPARAM>(&found));
    if (IsRectEmpty(&found)) {
        // A cursor outside every monitor: the primary one is the best guess.
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (GetMonitorInfoA(MonitorFromPoint(cursor, MONITOR_DEFAULTTOPRIMARY), &info)) found = info.rcMonitor;
    }
    return found;
}

}  // namespace

DialogBase::DialogBase(HINSTANCE instance, HWND parent, std::uint32_t templateId)
    : instance(instance), parent(parent), templateId(templateId) {}

DialogBase::~DialogBase() = default;

INT_PTR DialogBase::doModal() {
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), parent, &DialogBase::dialogProc,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR DialogBase::onMessage(HWND, UINT, WPARAM, LPARAM) { return 0; }
int DialogBase::onInitDialog(HWND, WPARAM) { return 0; }
int DialogBase::onCommand(HWND, WORD, WORD, LPARAM) { return 0; }
int DialogBase::onUserMessage(HWND, UINT, WPARAM, LPARAM) { return 0; }
int DialogBase::onNotify(HWND, int, NMHDR*) { return 0; }
int DialogBase::onPaint(HWND) { return 0; }
int DialogBase::onDrawItem(HWND, WPARAM, DRAWITEMSTRUCT*) { return 0; }
int DialogBase::onDestroy(HWND) { return 0; }

int DialogBase::onClose(HWND window) {
    endDialog(window, 0);
    return 1;
}

void DialogBase::centerWindow(HWND window) {
    RECT self{};
    GetWindowRect(window, &self);
    RECT reference{};
    if (HWND owner = GetParent(window)) {
        GetWindowRect(owner, &reference);
    } else {
        reference = monitorUnderCursor();
    }
    const LONG width = self.right - self.left;
    const LONG height = self.bottom - self.top;
    const LONG x = (reference.left + reference.right - width) / 2;
    const LONG y = (reference.top + reference.bottom - height) / 2;
    MoveWindow(window, std::max(x, reference.left + kEdgeMargin), std::max(y, reference.top + kEdgeMargin), width,
               height, TRUE);
}

void DialogBase::setText(HWND window, const std::string& text) {
    SetWindowTextA(window, text.c_str());
}

void DialogBase::setText(HWND window, const char* text) {
    SetWindowTextA(window, text);
}

void DialogBase::endDialog(HWND window, INT_PTR result) {
    EndDialog(window, result);
}

bool DialogBase::isKnownDialog(HWND window) {
    return dialogMap.count(window) != 0;
}

INT_PTR CALLBACK DialogBase::dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Nothing may unwind through the window manager's frames into the host.
    try {
        DialogBase* dialog = nullptr;
        if (message == WM_INITDIALOG) {
            dialog = reinterpret_cast<DialogBase*>(lParam);
            dialogMap[window] = dialog;
            if (dialog != nullptr) dialog->hwnd = window;
        } else {
            // Looking up without inserting: messages after WM_DESTROY (WM_NCDESTROY) would
            // otherwise leave the dead window in the map.
            const auto found = dialogMap.find(window);
            if (found != dialogMap.end()) dialog = found->second;
        }
        if (dialog == nullptr) return 0;
        if (message == WM_DESTROY) dialogMap.erase(window);

        if (const INT_PTR handled = dialog->onMessage(window, message, wParam, lParam)) return handled;
        switch (message) {
            case WM_DRAWITEM: return dialog->onDrawItem(window, wParam, reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
            case WM_DESTROY: return dialog->onDestroy(window);
            case WM_PAINT: return dialog->onPaint(window);
            case WM_CLOSE: return dialog->onClose(window);
            case WM_NOTIFY:
                return dialog->onNotify(window, static_cast<int>(wParam), reinterpret_cast<NMHDR*>(lParam));
            case WM_INITDIALOG: return dialog->onInitDialog(window, wParam);
            case WM_COMMAND: return dialog->onCommand(window, HIWORD(wParam), LOWORD(wParam), lParam);
            default: break;
        }
        if (message >= kFirstUserMessage && message <= kLastUserMessage) {
            return dialog->onUserMessage(window, message, wParam, lParam);
        }
        return 0;
    } catch (...) {
        return 0;
    }
}

}  // namespace trelmDlg
