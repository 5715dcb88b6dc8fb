#include "cli/CompleteOutputs.h"

#include <filesystem>
#include <system_error>

#include "cli/CliErrors.h"
#include "cli/ImageFile.h"

namespace vmcli {

bool isCompleteImage(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    try {
        // Every pixel is read: a truncated file often has an intact header.
        readImageFile(path);
        return true;
    } catch (const RunError&) {
        return false;
    }
}

std::vector<FrameTask> framesStillToRender(const std::vector<FrameTask>& tasks) {
    std::vector<FrameTask> left;
    for (const FrameTask& task : tasks) {
        if (!isCompleteImage(task.outputPath)) left.push_back(task);
    }
    return left;
}

}  // namespace vmcli
