#include "cli/FrameJob.h"

#include "cli/CliErrors.h"
#include "cli/Downsample.h"
#include "cli/EffectText.h"
#include "cli/ImageFile.h"
#include "cli/PendingFile.h"
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

}  // namespace

PF_PixelFormat pixelFormatForDepth(int depth) {
    if (depth == 8) return PF_PixelFormat_ARGB32;
    if (depth == 16) return PF_PixelFormat_ARGB64;
    return PF_PixelFormat_ARGB128;
}

FrameOutcome renderFrameTask(EffectSession& session, const FrameTask& task, const RenderSettings& settings,
                             const CancelFlag& cancel) {
    const ImageFileContents contents = readImageFile(task.inputPath);
    const int depth = settings.depth.value_or(contents.depth);
    const vmhost::Image full = toHostImage(contents.pixels, pixelFormatForDepth(depth));
    const vmhost::Image input = subsampled(full, settings.downsampleX, settings.downsampleY);
    if (cancel) return FrameOutcome::Cancelled;

    const vmhost::FrameResult result = session.render(input, frameRequest(task, settings));
    if (cancel) return FrameOutcome::Cancelled;
    if (result.err != PF_Err_NONE) throw RunError(renderFailure(task, result));

    PendingFile file(task.outputPath);
    writeImageFile(fromHostImage(result.output), depth, task.outputPath, file.tempPath());
    if (cancel) return FrameOutcome::Cancelled;
    file.commit();
    return FrameOutcome::Written;
}

}  // namespace vmcli
