#include "cli/RenderPlan.h"

#include <unistd.h>

#include <filesystem>
#include <set>

#include "cli/CliErrors.h"
#include "cli/FramePattern.h"
#include "cli/OutputFormat.h"

namespace vmcli {

namespace fs = std::filesystem;

std::vector<FrameTask> planFrames(const Options& options) {
    const FramePattern input(options.input);
    const FramePattern output(options.output);
    if (!options.frames) {
        if (input.hasFrameField() || output.hasFrameField())
            throw UsageError("\"" + (input.hasFrameField() ? input.text() : output.text()) +
                             "\" holds a frame-number field: give the frames with --frames, e.g. --frames 1-240");
        return {FrameTask{0, input.pathFor(0), output.pathFor(0)}};
    }
    if (options.frames->size() > 1 && !output.hasFrameField())
        throw UsageError("--frames gives " + std::to_string(options.frames->size()) +
                         " frames, but OUTPUT \"" + output.text() + "\" has no frame-number field such as %04d");
    std::vector<FrameTask> tasks;
    for (int frame : *options.frames) tasks.push_back({frame, input.pathFor(frame), output.pathFor(frame)});
    return tasks;
}

void checkFrameFiles(const std::vector<FrameTask>& tasks) {
    int missing = 0;
    std::string firstMissing;
    std::set<std::string> folders;
    for (const FrameTask& task : tasks) {
        std::error_code error;
        if (fs::is_directory(task.inputPath, error))
            throw RunError("cannot read \"" + task.inputPath + "\": it is a folder, not an image file");
        if (!fs::is_regular_file(task.inputPath, error)) {
            if (missing++ == 0) firstMissing = task.inputPath;
        }
        folders.insert(fs::path(task.outputPath).parent_path().string());
    }
    if (missing == 1) throw RunError("cannot read \"" + firstMissing + "\": no such file");
    if (missing > 1)
        throw RunError(std::to_string(missing) + " input frames are missing, the first is \"" + firstMissing + "\"");

    for (const std::string& folder : folders) {
        const std::string shown = folder.empty() ? "." : folder;
        std::error_code error;
        if (!fs::is_directory(shown, error)) throw RunError("cannot write into \"" + shown + "\": no such folder");
        if (access(shown.c_str(), W_OK) != 0) throw RunError("cannot write into \"" + shown + "\": permission denied");
    }
    if (!tasks.empty()) checkOutputFormat(tasks.front().outputPath);
}

}  // namespace vmcli
