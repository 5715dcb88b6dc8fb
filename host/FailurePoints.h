#pragma once
// Every host call the effect makes that may fail, counted in one sequence, so
// a test can fail the 1st, the 2nd, ... of a whole command sequence in turn and
// know when a run passed every one. Safe to call from several threads; the
// count is exact, though which call is "the Nth" depends on thread order when
// several threads call at once.

#include <atomic>
#include <map>
#include <mutex>
#include <optional>

#include "hostapi/HostApi.h"

namespace vmhost {

enum class FailurePoint {
    HandleAllocation,  // host_new_handle, host_resize_handle
    BlockAllocation,   // basic suite AllocateBlock, ReallocateBlock
    SuiteAcquisition,
    WorldCreation,
    WorldCopy,
    ParamAdd,
    ParamCheckOut,
    ParamUiUpdate,
    LayerCheckOut,     // SmartFX checkout_layer at pre-render
    LayerPixels,       // SmartFX checkout_layer_pixels
    OutputCheckOut,
    IterateGeneric,
    Progress,
    Abort,
    RgbToHls,
};

const char* failurePointName(FailurePoint point);

// What a failed call answers, in the error codes of the API that was called.
PF_Err failureAnswer(FailurePoint point);

class FailurePoints {
public:
    // Starts counting from zero; the nth call from now fails (n = 0: none
    // fails, calls are only counted).
    void arm(int n);
    // Stops counting; counted() and failed() keep their values.
    void disarm();

    // Counts one call while armed; true exactly for the call that is to fail. Inline: the
    // fast host never arms, and some calls come a million times a frame (RGBtoHLS).
    bool fails(FailurePoint point) { return counting_.load(std::memory_order_acquire) && countCall(point); }

    int counted() const;
    // The kind of call that was failed, if one was.
    std::optional<FailurePoint> failed() const;
    // Calls counted of each kind since arm().
    std::map<FailurePoint, int> countsByKind() const;

private:
    bool countCall(FailurePoint point);

    std::atomic<bool> counting_{false};
    mutable std::mutex mutex_;
    int counted_ = 0;
    int failAt_ = 0;
    std::optional<FailurePoint> failed_;
    std::map<FailurePoint, int> byKind_;
};

}  // namespace vmhost
