#include "cli/FrameJob.h"

#include <filesystem>

#include "cli/CliErrors.h"
#include "cli/Downsample.h"
#include "cli/EffectText.h"
#include "cli/ImageFile.h"
#include "cli/PendingFile.h"
#include "cli/RenderDepth.h"
#include "host/ErrorText.h"

namespace vmcli {

namespace {

vmhost::FrameRequest frameRequest(const FrameTask& task, const RenderSettings& settings) {
    vmhost::FrameRequest request;
    request.command = settings.legacyRender ? vmhost::RenderCommand::Legacy : vmhost::RenderCommand::SmartFX;
    request.time = task.frame;  // the host's time step is one frame
    request.downsampleX = {1, static_cast<A_u_long>(settings.downsampleX)};
    request.downsampleY = {1, static_cast<A_u_long>(settings.downsampleY)};
    return request;
}

std::string renderFailure(const FrameTask& task, const vmhost::FrameResult& result) {
    std::string message = "frame " + std::to_string(task.frame) + " (\"" + task.inputPath +
                          "\"): the effect failed with " + vmhost::describeError(result.err);
    const std::string text = effectTextToUtf8(result.returnMessage);
    return text.empty() ? message : message + ": " + text;
}

std::string depthLossWarning(const std::string& outputPath, int renderDepth, int fileDepth) {
    const std::string extension = std::filesystem::path(outputPath).extension().string();
    return "\"" + outputPath + "\": " + (extension.empty() ? "the format" : extension + " files") + " hold no " +
           std::to_string(renderDepth) + "-bit channels; the " + std::to_string(renderDepth) +
           "-bit render is written with " + std::to_string(fileDepth) + "-bit channels";
}

}  // namespace

FrameOutcome renderFrameTask(EffectSession& session, const FrameTask& task, const RenderSettings& settings,
                             const CancelFlag& cancel) {
    vmhost::WorldStore& memory = session.host().worlds();
    const auto recycledImage = [&memory](PF_PixelFormat format, A_long width, A_long height) {
        return memory.newImage(format, width, height);
    };
    ImageFileContents contents =
        readImageFile(task.inputPath, settings.depth, settings.fileThreads, recycledImage, settings.maxPixels);
    // Rendered at the file's own depth, the output keeps the file's channels (half floats stay half).
    const WriteOptions writing{contents.halfFloat && !settings.depth, settings.fileThreads,
                               scaledWindows(contents.windows, settings.downsampleX, settings.downsampleY)};
    vmhost::Image input = std::move(contents.image);
    if (settings.downsampleX != 1 || settings.downsampleY != 1)
        input = subsampled(input, settings.downsampleX, settings.downsampleY);
    if (cancel) return FrameOutcome::Cancelled;

    vmhost::FrameResult result = session.render(input, frameRequest(task, settings));
    // Freed, not kept: the output's file is written with one frame less held.
    input = vmhost::Image();
    if (cancel) return FrameOutcome::Cancelled;
    if (result.err != PF_Err_NONE) throw RunError(renderFailure(task, result));

    PendingFile file(task.outputPath);
    const int renderDepth = depthOfFormat(result.output.format());
    const int fileDepth = writeImageFile(result.output, task.outputPath, file.tempPath(), writing);
    if (fileDepth < renderDepth && settings.warn)
        settings.warn(depthLossWarning(task.outputPath, renderDepth, fileDepth));
    // The next frame reads or renders into this memory instead of fresh pages.
    memory.recycle(std::move(result.output));
    if (cancel) return FrameOutcome::Cancelled;
    file.commit();
    return FrameOutcome::Written;
}

}  // namespace vmcli
