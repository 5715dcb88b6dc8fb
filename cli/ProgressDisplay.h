#pragma once
// Progress of a render as it happens, in one of the styles of ProgressFormat.h.

#include <chrono>
#include <mutex>
#include <ostream>

#include "cli/ProgressFormat.h"
#include "cli/RenderLoop.h"

namespace vmcli {

class ProgressDisplay : public FrameObserver {
public:
    ProgressDisplay(std::ostream& out, ProgressStyle style, int totalFrames);
    void frameWritten(const FrameTask& task, double seconds) override;
    // Ends the bar's line, so later messages start on their own.
    void finish();

private:
    double elapsedSeconds() const;

    std::mutex mutex_;
    std::ostream& out_;
    const ProgressStyle style_;
    const int total_;
    int done_ = 0;
    bool finished_ = false;
    const std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace vmcli
