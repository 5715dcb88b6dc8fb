#include "host/ActiveFrames.h"

#include <stdexcept>

namespace vmhost {

ActiveFrames::Binding::Binding(ActiveFrames& frames, FrameCheckouts& frame) : frames_(frames) {
    std::lock_guard<std::mutex> lock(frames_.mutex_);
    if (!frames_.frames_.emplace(std::this_thread::get_id(), &frame).second)
        throw std::logic_error("ActiveFrames: this thread is already rendering a frame");
}

ActiveFrames::Binding::~Binding() {
    std::lock_guard<std::mutex> lock(frames_.mutex_);
    frames_.frames_.erase(std::this_thread::get_id());
}

FrameCheckouts* ActiveFrames::current() const {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto it = frames_.find(std::this_thread::get_id());
    return it == frames_.end() ? nullptr : it->second;
}

int ActiveFrames::count() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<int>(frames_.size());
}

}  // namespace vmhost
