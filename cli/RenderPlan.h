#pragma once
// Which frames to render from which files into which files, and the checks
// that can fail before anything renders.

#include <vector>

#include "cli/FrameTask.h"
#include "cli/Options.h"

namespace vmcli {

// A still without --frames is frame 0. With --frames, OUTPUT needs a frame
// field unless there is one frame; INPUT without one is the same picture for
// every frame. Throws UsageError.
std::vector<FrameTask> planFrames(const Options& options);

// Every input frame exists, every output folder exists and can be written,
// and the output format is one OpenImageIO writes. Throws RunError naming
// the first problem.
void checkFrameFiles(const std::vector<FrameTask>& tasks);

}  // namespace vmcli
