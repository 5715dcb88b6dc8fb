#pragma once
// How a render reports its progress: a bar redrawn in place for people at a
// terminal, one line per frame for logs, Open Job Description's messages for
// render managers that read them, or nothing.

#include <string>

#include "cli/FrameTask.h"

namespace vmcli {

enum class ProgressStyle { Bar, Lines, OpenJD, None };

// "bar", "lines", "openjd" or "none". Throws UsageError.
ProgressStyle parseProgressStyle(const std::string& text);
// A bar on a terminal, plain lines anywhere else.
ProgressStyle defaultProgressStyle(bool terminal);

// "[#########-----------]  12/40 frames  3.4 fps  0:08 left"
std::string progressBar(int done, int total, double elapsedSeconds, int barWidth = 30);
// "frame 12 wrote out_0012.png in 0.84 s (12/40, 0:08 left)"
std::string progressLine(const FrameTask& task, double frameSeconds, int done, int total, double elapsedSeconds);
// "openjd_progress: 30.0": the share of frames done, in percent with one decimal.
std::string openjdProgress(int done, int total);
// "openjd_status: frame 12 written (12/40)"
std::string openjdStatus(const std::string& message);
// "0:07", "12:05", "1:02:03"; "--:--" when unknown.
std::string formatDuration(double seconds);

}  // namespace vmcli
