#pragma once
// Temporary files a killed render left beside its outputs: a later render
// into the same names removes those whose process is gone.

#include <vector>

#include "cli/FrameTask.h"

namespace vmcli {

// Removes ".STEM.PID.partial.EXT" (and the older ".NAME.PID.partial") files
// of the tasks' outputs whose PID names no running process. Returns how many
// were removed; files that cannot be removed are left alone.
int removeStalePartialFiles(const std::vector<FrameTask>& tasks);

}  // namespace vmcli
