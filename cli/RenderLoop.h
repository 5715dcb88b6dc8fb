#pragma once
// Renders a list of frames with N frames in flight at once. Each worker
// thread takes the next frame until the list is done or the user cancels;
// a frame that fails does not stop the others, so a farm's retry has only the
// failed ones left to do. Frames already in flight at a cancel finish (or
// stop early when the effect heeds the cancel).

#include <functional>
#include <string>
#include <vector>

#include "cli/CancelFlag.h"
#include "cli/FrameJob.h"
#include "cli/FrameTask.h"

namespace vmcli {

// Told about every frame that was written; called from the worker threads.
class FrameObserver {
public:
    virtual ~FrameObserver() = default;
    // `seconds`: how long the frame took from reading to writing.
    virtual void frameWritten(const FrameTask& task, double seconds) = 0;
};

struct LoopResult {
    int written = 0;
    bool cancelled = false;            // stopped by the cancel flag before every frame was written
    std::vector<std::string> errors;   // one per failed frame, in the order they failed
};

using FrameFunction = std::function<FrameOutcome(const FrameTask&)>;

// `onCancel` runs once on the calling thread soon after `cancel` is set,
// to stop frames in flight.
LoopResult renderFrames(const std::vector<FrameTask>& tasks, int jobs, const FrameFunction& renderOne,
                        FrameObserver& observer, const CancelFlag& cancel, const std::function<void()>& onCancel);

}  // namespace vmcli
