#include "host/MainWindow.h"

#if defined(_WIN32)

#include <windows.h>

#include <stdexcept>
#include <string>

namespace vmhost {

namespace {

constexpr const char kWindowClass[] = "VelumixerHostMainWindow";

const char* registeredWindowClass() {
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
        windowClass.lpszClassName = kWindowClass;
        return RegisterClassA(&windowClass) != 0;
    }();
    if (!registered) throw std::runtime_error("cannot register the host's main window class");
    return kWindowClass;
}

}  // namespace

MainWindow::MainWindow(const WindowBounds& bounds) {
    HWND window = CreateWindowExA(0, registeredWindowClass(), "Velumixer host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  bounds.left, bounds.top, bounds.width, bounds.height, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (window == nullptr) {
        throw std::runtime_error("cannot create the host's main window (error " + std::to_string(GetLastError()) + ")");
    }
    handle_ = window;
    UpdateWindow(window);
}

MainWindow::~MainWindow() {
    DestroyWindow(static_cast<HWND>(handle_));
}

}  // namespace vmhost

#else

namespace vmhost {

MainWindow::MainWindow(const WindowBounds&) {}
MainWindow::~MainWindow() = default;

}  // namespace vmhost

#endif
