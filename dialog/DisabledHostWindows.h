#pragma once
// Makes the whole host inert while a modal dialog runs: every visible, enabled top-level
// window of this process is disabled, and enabled again in the same order afterwards.

#include <windows.h>

#include <vector>

namespace FxOptionDlg {

class DisabledHostWindows {
public:
    DisabledHostWindows();
    ~DisabledHostWindows();
    DisabledHostWindows(const DisabledHostWindows&) = delete;
    DisabledHostWindows& operator=(const DisabledHostWindows&) = delete;

private:
    std::vector<HWND> windows_;
};

}  // namespace FxOptionDlg
