#pragma once
// How an embedded host presents itself to the effect, and how hard it looks
// for the effect's faults. The default is the fast host a renderer wants;
// checking() is the one tests use to make faults show.

#include <cstdint>
#include <optional>
#include <string>

#include "host/MainWindow.h"
#include "host/ThreadPool.h"
#include "hostapi/HostApi.h"

namespace vmhost {

struct HostConfig {
    A_long applicationId = PF_FourCharCode("FXTC");  // After Effects; "PrMr" is Premiere Pro
    A_short apiMajor = 13;
    A_short apiMinor = 27;
    // Tag answered by "PF AE App Suite" version 7; nullopt: the host has no App suite.
    std::optional<std::string> appLanguage = std::string("en_US");
    // Threads behind iterate_generic.
    int workerThreads = defaultWorkerThreadCount();
    // false: in_data->pica_basicP is null.
    bool provideBasicSuite = true;
    // Answered for PF_PlatData_MAIN_WND.
    void* mainWindow = nullptr;
    // Set: the host opens a real main window of these bounds (Windows builds) and
    // answers it instead.
    std::optional<WindowBounds> openMainWindow;
    // Byte that new handle memory is filled with; nullopt: left as allocated.
    std::optional<std::uint8_t> handleFillByte;
    // The layer the in_data describes.
    A_long layerWidth = 640;
    A_long layerHeight = 480;
    A_u_long timeScale = 30;  // frames of 1/30 s
    // Bytes after each row of the worlds the host makes (a multiple of 4).
    A_long worldRowPadding = 0;
    // What new worlds hold before anything is written (pixels not cleared,
    // row padding, frame outputs); nullopt: whatever the memory held.
    std::optional<std::uint8_t> worldFillByte;
    // Disposed worlds (and frame images handed back, WorldStore::recycle)
    // kept for later worlds and frames of the same size and format, so frames
    // that make and free temporary worlds reuse their memory; 0: none.
    int recycledWorlds = 8;
    // The effect reads a copy of a frame's input image instead of the
    // caller's own, so a faulty effect cannot change it.
    bool copyFrameInput = false;
    // false: only "PF World Suite" version 1 is served.
    bool serveWorldSuite2 = true;

    // Poisoned memory and padded rows: effects that read what they never
    // wrote, or step rows by width instead of rowbytes, go wrong at once.
    // 0xC3 is out of range for 16-bit channels and about -390 as a float.
    // No recycling, so a disposed world's memory is never handed out again.
    static HostConfig checking() {
        HostConfig config;
        config.handleFillByte = 0xA5;
        config.worldRowPadding = 48;
        config.worldFillByte = 0xC3;
        config.recycledWorlds = 0;
        config.copyFrameInput = true;
        return config;
    }
};

}  // namespace vmhost
