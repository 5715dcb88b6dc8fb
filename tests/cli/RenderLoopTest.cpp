// The frame pool: every frame once, a failure does not stop the others, a cancel stops it
// cleanly; and how its progress is shown in each style.
#include "cli/CliErrors.h"
#include "cli/ProgressDisplay.h"
#include "cli/RenderLoop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <set>
#include <sstream>

namespace {

using vmcli::CancelFlag;
using vmcli::FrameOutcome;
using vmcli::FrameTask;

std::vector<FrameTask> tasks(int count) {
    std::vector<FrameTask> list;
    for (int i = 1; i <= count; ++i) list.push_back({i, "in", "out_" + std::to_string(i)});
    return list;
}

class Recorder : public vmcli::FrameObserver {
public:
    void frameWritten(const FrameTask& task, double) override {
        std::lock_guard<std::mutex> lock(mutex_);
        written.insert(task.frame);
        if (cancelAfterFirst) *cancelAfterFirst = true;
    }
    std::set<int> written;
    CancelFlag* cancelAfterFirst = nullptr;

private:
    std::mutex mutex_;
};

TEST(RenderLoopTest, EveryFrameOnceAndFailedFramesDoNotStopTheOthers) {
    for (int jobs : {1, 3, 4}) {
        std::mutex mutex;
        std::multiset<int> rendered;
        Recorder recorder;
        CancelFlag cancel{false};
        const auto result = vmcli::renderFrames(
            tasks(20), jobs,
            [&](const FrameTask& task) {
                {
                    std::lock_guard<std::mutex> lock(mutex);
                    rendered.insert(task.frame);
                }
                if (task.frame == 3 || task.frame == 7) throw vmcli::RunError("frame " + std::to_string(task.frame));
                return FrameOutcome::Written;
            },
            recorder, cancel, [] { FAIL() << "nothing was cancelled"; });
        std::set<int> others;
        for (int frame = 1; frame <= 20; ++frame) {
            if (frame != 3 && frame != 7) others.insert(frame);
        }
        EXPECT_EQ(18, result.written) << jobs << " jobs";
        EXPECT_EQ(others, recorder.written) << jobs << " jobs";
        EXPECT_EQ(20u, rendered.size()) << jobs << " jobs";
        EXPECT_EQ(20u, std::set<int>(rendered.begin(), rendered.end()).size()) << jobs << " jobs";
        EXPECT_EQ((std::multiset<std::string>{"frame 3", "frame 7"}),
                  std::multiset<std::string>(result.errors.begin(), result.errors.end()));
        EXPECT_FALSE(result.cancelled);
    }
}

TEST(RenderLoopTest, CancelStopsTakingFramesAndIsForwardedOnce) {
    Recorder recorder;
    CancelFlag cancel{false};
    recorder.cancelAfterFirst = &cancel;
    int forwarded = 0;
    const auto result = vmcli::renderFrames(
        tasks(10), 1, [](const FrameTask&) { return FrameOutcome::Written; }, recorder, cancel,
        [&] { ++forwarded; });
    EXPECT_EQ(1, result.written);
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(1, forwarded);

    CancelFlag already{true};
    Recorder none;
    const auto early = vmcli::renderFrames(
        tasks(3), 2, [](const FrameTask&) { return FrameOutcome::Written; }, none, already, [] {});
    EXPECT_EQ(0, early.written);
    EXPECT_TRUE(early.cancelled);
}

TEST(ProgressTest, DurationsRatesAndTimeLeft) {
    EXPECT_EQ("0:07", vmcli::formatDuration(7.4));
    EXPECT_EQ("12:05", vmcli::formatDuration(725));
    EXPECT_EQ("1:02:03", vmcli::formatDuration(3723));
    EXPECT_EQ("--:--", vmcli::formatDuration(-1));
    EXPECT_EQ("[#####-----]  12/24 frames  3.0 fps  0:04 left", vmcli::progressBar(12, 24, 4.0, 10));
    EXPECT_EQ("[----------]  0/24 frames  -- fps  --:-- left", vmcli::progressBar(0, 24, 0.0, 10));
    EXPECT_EQ("frame 12 wrote out_0012.png in 0.84 s (6/8, 0:01 left)",
              vmcli::progressLine({12, "in", "out_0012.png"}, 0.837, 6, 8, 3.0));
    EXPECT_EQ("openjd_progress: 33.3", vmcli::openjdProgress(1, 3));
    EXPECT_EQ("openjd_progress: 66.7", vmcli::openjdProgress(2, 3));
}

TEST(ProgressTest, StylesByNameAndByConsole) {
    using vmcli::ProgressStyle;
    EXPECT_EQ(ProgressStyle::Bar, vmcli::parseProgressStyle("bar"));
    EXPECT_EQ(ProgressStyle::Lines, vmcli::parseProgressStyle("lines"));
    EXPECT_EQ(ProgressStyle::None, vmcli::parseProgressStyle("none"));
    EXPECT_EQ(ProgressStyle::Bar, vmcli::defaultProgressStyle(true));
    EXPECT_EQ(ProgressStyle::Lines, vmcli::defaultProgressStyle(false));
}

// Everything a display prints for two frames in one style.
std::string shown(vmcli::ProgressStyle style) {
    std::ostringstream out;
    vmcli::ProgressDisplay display(out, style, 2);
    display.frameWritten({1, "in", "a.png"}, 0.5);
    display.frameWritten({2, "in", "b.png"}, 0.25);
    display.finish();
    return out.str();
}

TEST(ProgressTest, LogsGetALinePerFrameAndManagersTheirMessages) {
    const std::string lines = shown(vmcli::ProgressStyle::Lines);
    EXPECT_EQ(0u, lines.find("frame 1 wrote a.png in 0.50 s (1/2, ")) << lines;
    EXPECT_NE(std::string::npos, lines.find("\nframe 2 wrote b.png in 0.25 s (2/2, 0:00 left)\n")) << lines;
    EXPECT_EQ(2, std::count(lines.begin(), lines.end(), '\n')) << lines;

    EXPECT_EQ("openjd_status: rendering 2 frame(s)\nopenjd_progress: 0.0\n"
              "openjd_status: frame 1 written (1/2)\nopenjd_progress: 50.0\n"
              "openjd_status: frame 2 written (2/2)\nopenjd_progress: 100.0\n",
              shown(vmcli::ProgressStyle::OpenJD));
    EXPECT_EQ("", shown(vmcli::ProgressStyle::None));
}

TEST(ProgressTest, TerminalsGetOneBarRedrawnInPlace) {
    std::ostringstream terminal;
    vmcli::ProgressDisplay bar(terminal, vmcli::ProgressStyle::Bar, 2);
    bar.frameWritten({1, "in", "a.png"}, 1.0);
    bar.finish();
    const std::string text = terminal.str();
    EXPECT_EQ(0u, text.find("\r[")) << "drawn before the first frame";
    EXPECT_NE(std::string::npos, text.find("\r[###############---------------]  1/2 frames"));
    EXPECT_EQ(std::string::npos, text.find("wrote"));
    EXPECT_EQ(std::string::npos, text.find("openjd"));
    EXPECT_EQ('\n', text.back()) << "later messages start on their own line";
}

}  // namespace
