#pragma once
// The frames to render, as given to --frames: "1-240", "1-240x2" (every second
// frame), "7,9,12", or any comma-separated mix of these.

#include <string>
#include <vector>

namespace vmcli {

// Frames in the order given, each once. Throws UsageError for anything else,
// for a range that runs backwards and for more than kMaxFrames frames.
std::vector<int> parseFrameList(const std::string& text);

constexpr int kMaxFrames = 1000000;

}  // namespace vmcli
