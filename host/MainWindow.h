#pragma once
// The host application's main window, as effects see it through PF_PlatData_MAIN_WND: a
// real, visible top-level window on Windows (dialogs are owned by it and centred on it).
// Other builds have no window system and hand out null.

namespace vmhost {

struct WindowBounds {
    int left = 0;
    int top = 0;
    int width = 800;
    int height = 600;
};

class MainWindow {
public:
    // Throws std::runtime_error when Windows refuses the window.
    explicit MainWindow(const WindowBounds& bounds);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // The HWND, or null without a window system.
    void* handle() const { return handle_; }

private:
    void* handle_ = nullptr;
};

}  // namespace vmhost
