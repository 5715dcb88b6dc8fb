#pragma once
// Progress of a render: on a terminal one bar redrawn in place with frames
// done, frames per second and time left; elsewhere (logs, farms) one plain
// line per written frame.

#include <chrono>
#include <mutex>
#include <ostream>
#include <set>
#include <string>

#include "cli/RenderLoop.h"

namespace vmcli {

// "[#########-----------]  12/40 frames  3.4 fps  0:08 left"
std::string progressBar(int done, int total, double elapsedSeconds, int barWidth = 30);
// "wrote out_0012.png (frame 12, 12/40, 3.4 fps, 0:08 left)"
std::string progressLine(const FrameTask& task, int done, int total, double elapsedSeconds);
// "0:07", "12:05", "1:02:03"; "--:--" when unknown.
std::string formatDuration(double seconds);

class ProgressDisplay : public FrameObserver {
public:
    ProgressDisplay(std::ostream& out, bool terminal, int totalFrames);
    void frameWritten(const FrameTask& task) override;
    // A line of its own ("velumixer-render: warning: ..."), each text once
    // per run, the bar drawn again below it.
    void warn(const std::string& text);
    // Ends the bar's line, so later messages start on their own.
    void finish();

private:
    double elapsedSeconds() const;

    std::mutex mutex_;
    std::ostream& out_;
    const bool terminal_;
    const int total_;
    int done_ = 0;
    std::set<std::string> warned_;
    bool finished_ = false;
    const std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace vmcli
