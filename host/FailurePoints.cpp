#include "host/FailurePoints.h"

#include "hostapi/Suites.h"

namespace vmhost {

const char* failurePointName(FailurePoint point) {
    switch (point) {
    case FailurePoint::HandleAllocation: return "handle allocation";
    case FailurePoint::BlockAllocation: return "block allocation";
    case FailurePoint::SuiteAcquisition: return "suite acquisition";
    case FailurePoint::WorldCreation: return "world creation";
    case FailurePoint::WorldCopy: return "world copy";
    case FailurePoint::ParamAdd: return "parameter add";
    case FailurePoint::ParamCheckOut: return "parameter check-out";
    case FailurePoint::ParamUiUpdate: return "parameter UI update";
    case FailurePoint::LayerCheckOut: return "layer check-out";
    case FailurePoint::LayerPixels: return "layer pixels check-out";
    case FailurePoint::OutputCheckOut: return "output check-out";
    case FailurePoint::IterateGeneric: return "iterate_generic";
    case FailurePoint::Progress: return "progress";
    case FailurePoint::Abort: return "abort";
    case FailurePoint::RgbToHls: return "RGBtoHLS";
    }
    return "unknown";
}

PF_Err failureAnswer(FailurePoint point) {
    switch (point) {
    case FailurePoint::HandleAllocation: return PF_Err_OUT_OF_MEMORY;
    case FailurePoint::BlockAllocation: return kSPOutOfMemoryError;
    case FailurePoint::SuiteAcquisition: return kSPSuiteNotFoundError;
    case FailurePoint::WorldCreation: return PF_Err_OUT_OF_MEMORY;
    case FailurePoint::Progress:
    case FailurePoint::Abort: return PF_Interrupt_CANCEL;
    default: return PF_Err_INTERNAL_STRUCT_DAMAGED;
    }
}

void FailurePoints::arm(int n) {
    std::lock_guard<std::mutex> lock(mutex_);
    counted_ = 0;
    failAt_ = n > 0 ? n : 0;
    failed_.reset();
    byKind_.clear();
    counting_.store(true, std::memory_order_release);
}

void FailurePoints::disarm() {
    std::lock_guard<std::mutex> lock(mutex_);
    failAt_ = 0;
    counting_.store(false, std::memory_order_release);
}

bool FailurePoints::countCall(FailurePoint point) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!counting_.load(std::memory_order_relaxed)) return false;
    ++byKind_[point];
    if (++counted_ != failAt_) return false;
    failed_ = point;
    return true;
}

int FailurePoints::counted() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return counted_;
}

std::optional<FailurePoint> FailurePoints::failed() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return failed_;
}

std::map<FailurePoint, int> FailurePoints::countsByKind() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return byKind_;
}

}  // namespace vmhost
