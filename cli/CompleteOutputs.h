#pragma once
// --skip-existing: which frames a retry still has to render. A frame counts as
// done only when its output holds a whole image, header and pixels; a file cut
// short by a crash or a full disk is rendered again. Temporary ".partial"
// files never count, as only final names are looked at.

#include <string>
#include <vector>

#include "cli/FrameTask.h"

namespace vmcli {

// True when `path` is an image file that reads completely.
bool isCompleteImage(const std::string& path);

// The tasks whose output is not a complete image, in their order.
std::vector<FrameTask> framesStillToRender(const std::vector<FrameTask>& tasks);

}  // namespace vmcli
