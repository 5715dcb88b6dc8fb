#pragma once
// One frame of a render: its number and its two files.

#include <string>

namespace vmcli {

struct FrameTask {
    int frame = 0;
    std::string inputPath;
    std::string outputPath;
};

}  // namespace vmcli
