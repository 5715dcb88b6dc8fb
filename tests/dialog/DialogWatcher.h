#pragma once
// Watches for the modal dialog of this process from a second thread while the test's own
// thread sits in the dialog's modal loop: the watcher looks at the dialog, then presses
// one of its buttons (as a user would) so that the loop ends.

#include <windows.h>

#include <functional>
#include <string>

namespace dialogtest {

struct DialogRun {
    bool seen = false;         // a dialog of this process appeared
    bool forcedClose = false;  // what `inspect` did left it open, so the watcher closed it
};

// Runs `show` on this thread. As soon as a dialog of this process is visible, `inspect`
// runs on the watcher thread with its window; it must end the dialog. A dialog still open
// long after `inspect` is closed with WM_CLOSE, so a failing test never hangs.
DialogRun runWithDialog(const std::function<void()>& show, const std::function<void(HWND dialog)>& inspect);

// What a user would read on the window (through the wide-character functions, so that
// the bytes the dialog set in its code page are checked as characters).
std::wstring windowText(HWND window);
std::wstring controlText(HWND dialog, int controlId);
bool controlEnabled(HWND dialog, int controlId);
bool controlVisible(HWND dialog, int controlId);

// Presses a button the way a mouse click would.
void clickButton(HWND dialog, int controlId);
// The window's close box.
void clickCloseBox(HWND dialog);
// The Esc key, which a dialog turns into IDCANCEL.
void pressEscape(HWND dialog);

// The window as it is on screen, saved as a PNG file; false when it cannot be captured.
bool saveScreenshot(HWND window, const std::string& path);

}  // namespace dialogtest
