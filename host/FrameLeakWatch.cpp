#include "host/FrameLeakWatch.h"

#include <algorithm>

#include "host/HandleStore.h"
#include "host/WorldStore.h"

namespace vmhost {

FrameLeakWatch::FrameLeakWatch(const HandleStore& handles, const WorldStore& worlds)
    : handles_(handles), worlds_(worlds) {}

HeldAfterFrames FrameLeakWatch::held() const {
    return {handles_.outstanding(), worlds_.outstanding()};
}

FrameLeakWatch::Frame::Frame(FrameLeakWatch& watch) : watch_(watch) {
    std::lock_guard<std::mutex> lock(watch_.mutex_);
    if (watch_.framesInFlight_++ == 0) watch_.atStart_ = watch_.held();
}

FrameLeakWatch::Frame::~Frame() {
    finish();
}

HeldAfterFrames FrameLeakWatch::Frame::finish() {
    if (finished_) return {};
    finished_ = true;
    std::lock_guard<std::mutex> lock(watch_.mutex_);
    if (--watch_.framesInFlight_ > 0) return {};
    const HeldAfterFrames now = watch_.held();
    const HeldAfterFrames left{std::max(0, now.handles - watch_.atStart_.handles),
                               std::max(0, now.worlds - watch_.atStart_.worlds)};
    if (left.any()) {
        watch_.leaked_.handles += left.handles;
        watch_.leaked_.worlds += left.worlds;
        ++watch_.leakReports_;
    }
    return left;
}

HeldAfterFrames FrameLeakWatch::leaked() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return leaked_;
}

int FrameLeakWatch::leakReports() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return leakReports_;
}

}  // namespace vmhost
