// The frame pool: every frame once, the first failure stops it, a cancel stops it
// cleanly; and how its progress is shown.
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
    void frameWritten(const FrameTask& task) override {
        std::lock_guard<std::mutex> lock(mutex_);
        written.insert(task.frame);
        if (cancelAfterFirst) *cancelAfterFirst = true;
    }
    std::set<int> written;
    CancelFlag* cancelAfterFirst = nullptr;

private:
    std::mutex mutex_;
};

TEST(RenderLoopTest, EveryFrameOnceWithSeveralJobs) {
    std::mutex mutex;
    std::multiset<int> rendered;
    Recorder recorder;
    CancelFlag cancel{false};
    const auto result = vmcli::renderFrames(
        tasks(20), 4,
        [&](const FrameTask& task) {
            std::lock_guard<std::mutex> lock(mutex);
            rendered.insert(task.frame);
            return FrameOutcome::Written;
        },
        recorder, cancel, [] { FAIL() << "nothing was cancelled"; });
    EXPECT_EQ(20, result.written);
    EXPECT_FALSE(result.cancelled);
    EXPECT_FALSE(result.error);
    EXPECT_EQ(20u, rendered.size());
    EXPECT_EQ(20u, std::set<int>(rendered.begin(), rendered.end()).size());
    EXPECT_EQ(20u, recorder.written.size());
}

TEST(RenderLoopTest, TheFirstFailureStopsTheRest) {
    Recorder recorder;
    CancelFlag cancel{false};
    int calls = 0;
    const auto result = vmcli::renderFrames(
        tasks(10), 1,
        [&](const FrameTask& task) {
            ++calls;
            if (task.frame == 3) throw vmcli::RunError("frame 3 broke");
            return FrameOutcome::Written;
        },
        recorder, cancel, [] {});
    EXPECT_EQ(3, calls);
    EXPECT_EQ(2, result.written);
    EXPECT_EQ("frame 3 broke", result.error.value_or(""));
    EXPECT_FALSE(result.cancelled);
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
    EXPECT_EQ("wrote out_0012.png (frame 12, 6/8, 2.0 fps, 0:01 left)",
              vmcli::progressLine({12, "in", "out_0012.png"}, 6, 8, 3.0));
}

TEST(ProgressTest, TerminalsGetOneBarRedrawnInPlace) {
    std::ostringstream terminal;
    vmcli::ProgressDisplay bar(terminal, true, 2);
    bar.frameWritten({1, "in", "a.png"});
    bar.finish();
    const std::string text = terminal.str();
    EXPECT_EQ(0u, text.find("\r[")) << "drawn before the first frame";
    EXPECT_NE(std::string::npos, text.find("\r[###############---------------]  1/2 frames"));
    EXPECT_EQ(std::string::npos, text.find("wrote"));
    EXPECT_EQ('\n', text.back()) << "later messages start on their own line";
}

}  // namespace
