#pragma once
// Progress of a render as it happens, in one of the styles of ProgressFormat.h.

#include <chrono>
#include <mutex>
#include <ostream>
#include <set>
#include <string>

#include "cli/ProgressFormat.h"
#include "cli/RenderLoop.h"

namespace vmcli {

class ProgressDisplay : public FrameObserver {
public:
    ProgressDisplay(std::ostream& out, ProgressStyle style, int totalFrames);
    void frameWritten(const FrameTask& task, double seconds) override;
    // A line of its own ("velumixer-render: warning: ..."), each text once
    // per run, the bar drawn again below it.
    void warn(const std::string& text);
    // Ends the bar's line, so later messages start on their own.
    void finish();

private:
    double elapsedSeconds() const;

    std::mutex mutex_;
    std::ostream& out_;
    const ProgressStyle style_;
    const int total_;
    int done_ = 0;
    std::set<std::string> warned_;
    bool finished_ = false;
    const std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace vmcli
