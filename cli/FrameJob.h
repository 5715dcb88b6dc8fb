#pragma once
// One frame from input file to output file: read, render through the
// effect, write under a temporary name and rename when complete.

#include <functional>
#include <optional>
#include <string>

#include "cli/CancelFlag.h"
#include "cli/EffectSession.h"
#include "cli/FrameTask.h"
#include "cli/ImageFile.h"

namespace vmcli {

struct RenderSettings {
    std::optional<int> depth;  // 8, 16, 32; default: the input file's
    int downsampleX = 1;
    int downsampleY = 1;
    bool legacyRender = false;
    // Threads OpenImageIO may use on each file (0: as many as it likes).
    int fileThreads = 0;
    std::uint64_t maxPixels = kDefaultMaxPixels;  // larger inputs are refused before they are read
    // Told things the user should know that stop nothing (e.g. depth lost to
    // the output format); may be called from several frames at once.
    std::function<void(const std::string&)> warn;
};

enum class FrameOutcome { Written, Cancelled };

// Throws RunError for unreadable input, a render error (with the effect's
// error code and message) and unwritable output. Once `cancel` is set no
// file is committed.
FrameOutcome renderFrameTask(EffectSession& session, const FrameTask& task, const RenderSettings& settings,
                             const CancelFlag& cancel);

}  // namespace vmcli
