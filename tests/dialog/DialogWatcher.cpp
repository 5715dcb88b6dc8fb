#include "DialogWatcher.h"

#include "tests/support/PngFile.h"

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace dialogtest {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPollInterval = std::chrono::milliseconds(20);
constexpr auto kAppearTimeout = std::chrono::seconds(30);
constexpr auto kCloseGrace = std::chrono::seconds(10);

BOOL CALLBACK rememberDialog(HWND window, LPARAM found) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (processId == GetCurrentProcessId() && IsWindowVisible(window) && lstrcmpA(className, "#32770") == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

HWND findDialog() {
    HWND found = nullptr;
    EnumWindows(&rememberDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace

DialogRun runWithDialog(const std::function<void()>& show, const std::function<void(HWND dialog)>& inspect) {
    std::atomic<bool> showReturned{false};
    std::atomic<bool> seen{false};
    std::atomic<bool> forcedClose{false};
    std::thread watcher([&] {
        const auto giveUp = Clock::now() + kAppearTimeout;
        HWND dialog = nullptr;
        while (!showReturned && Clock::now() < giveUp && (dialog = findDialog()) == nullptr) {
            std::this_thread::sleep_for(kPollInterval);
        }
        if (dialog == nullptr) return;
        seen = true;
        inspect(dialog);
        const auto closeAt = Clock::now() + kCloseGrace;
        while (!showReturned && IsWindow(dialog)) {
            if (Clock::now() > closeAt) {
                forcedClose = true;
                PostMessageA(dialog, WM_CLOSE, 0, 0);
                break;
            }
            std::this_thread::sleep_for(kPollInterval);
        }
    });
    show();
    showReturned = true;
    watcher.join();
    return {seen, forcedClose};
}

std::wstring windowText(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

std::wstring controlText(HWND dialog, int controlId) {
    return windowText(GetDlgItem(dialog, controlId));
}

bool controlEnabled(HWND dialog, int controlId) {
    return IsWindowEnabled(GetDlgItem(dialog, controlId)) != FALSE;
}

bool controlVisible(HWND dialog, int controlId) {
    return IsWindowVisible(GetDlgItem(dialog, controlId)) != FALSE;
}

void clickButton(HWND dialog, int controlId) {
    PostMessageA(GetDlgItem(dialog, controlId), BM_CLICK, 0, 0);
}

void clickCloseBox(HWND dialog) {
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void pressEscape(HWND dialog) {
    PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
}

bool saveScreenshot(HWND window, const std::string& path) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // let the loop paint it
    RECT area{};
    if (!GetWindowRect(window, &area)) return false;
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return false;

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool copied = false;
    if (picture != nullptr && memory != nullptr) {
        HGDIOBJ previous = SelectObject(memory, picture);
        copied = BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY) != FALSE;
        GdiFlush();
        SelectObject(memory, previous);
    }
    std::vector<std::uint8_t> rgba;
    if (copied) {
        const auto* bgrx = static_cast<const std::uint8_t*>(bits);
        rgba.resize(static_cast<std::size_t>(width) * height * 4);
        for (std::size_t i = 0; i < rgba.size(); i += 4) {
            rgba[i] = bgrx[i + 2];
            rgba[i + 1] = bgrx[i + 1];
            rgba[i + 2] = bgrx[i];
            rgba[i + 3] = 255;
        }
    }
    if (picture != nullptr) DeleteObject(picture);
    if (memory != nullptr) DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return copied && writePngFile(path, width, height, rgba);
}

}  // namespace dialogtest
