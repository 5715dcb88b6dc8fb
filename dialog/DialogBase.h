#pragma once
// A small layer over Win32 modal dialogs: one object per dialog, whose virtual handlers
// receive the dialog's messages through the one shared dialog procedure.

#include <windows.h>

#include <cstdint>
#include <string>

namespace trelmDlg {

class DialogBase {
public:
    DialogBase(HINSTANCE instance, HWND parent, std::uint32_t templateId);
    virtual ~DialogBase();
    DialogBase(const DialogBase&) = delete;
    DialogBase& operator=(const DialogBase&) = delete;

    // Runs the dialog modally over `parent`; DialogBoxParamA's result (-1 when it could
    // not be created).
    virtual INT_PTR doModal();

    // Every message comes here first; a nonzero result is the message's answer.
    virtual INT_PTR onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    virtual int onInitDialog(HWND window, WPARAM wParam);
    virtual int onCommand(HWND window, WORD notification, WORD controlId, LPARAM lParam);
    virtual int onUserMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    virtual int onNotify(HWND window, int controlId, NMHDR* header);
    virtual int onPaint(HWND window);
    virtual int onDrawItem(HWND window, WPARAM wParam, DRAWITEMSTRUCT* item);
    virtual int onClose(HWND window);  // ends the dialog with 0
    virtual int onDestroy(HWND window);

    // Centres the window over its owner, or over the monitor under the cursor when it
    // has none, keeping its top-left corner 32 pixels inside that rectangle.
    virtual void centerWindow(HWND window);
    virtual void setText(HWND window, const std::string& text);
    virtual void setText(HWND window, const char* text);
    virtual void endDialog(HWND window, INT_PTR result);

    // The procedure of every dialog of this framework.
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // True while the window's dialog is running (between WM_INITDIALOG and WM_DESTROY).
    static bool isKnownDialog(HWND window);

protected:
    HINSTANCE instance;
    HWND parent;
    HWND hwnd = nullptr;
    std::uint32_t templateId;
};

}  // namespace trelmDlg
