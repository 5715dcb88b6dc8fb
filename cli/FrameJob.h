#pragma once
// One frame from input file to output file: read, render through the
// effect, write under a temporary name and rename when complete.

#include <optional>

#include "cli/CancelFlag.h"
#include "cli/EffectSession.h"
#include "cli/FrameTask.h"

namespace vmcli {

struct RenderSettings {
    std::optional<int> depth;  // 8, 16, 32; default: the input file's
    int downsampleX = 1;
    int downsampleY = 1;
    bool legacyRender = false;
    // Threads OpenImageIO may use on each file (0: as many as it likes).
    int fileThreads = 0;
};

enum class FrameOutcome { Written, Cancelled };

// Throws RunError for unreadable input, a render error (with the effect's
// error code and message) and unwritable output. Once `cancel` is set no
// file is committed.
FrameOutcome renderFrameTask(EffectSession& session, const FrameTask& task, const RenderSettings& settings,
                             const CancelFlag& cancel);

}  // namespace vmcli
