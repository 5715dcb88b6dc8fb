#pragma once
// The frames being rendered right now, one per sending thread. The SmartFX
// callbacks carry only the effect_ref, which all frames share, so they find
// their frame through the calling thread. Safe to call from several threads.

#include <mutex>
#include <thread>
#include <unordered_map>

namespace vmhost {

class FrameCheckouts;

class ActiveFrames {
public:
    // Makes `frame` the calling thread's frame while it lives.
    class Binding {
    public:
        Binding(ActiveFrames& frames, FrameCheckouts& frame);
        ~Binding();
        Binding(const Binding&) = delete;
        Binding& operator=(const Binding&) = delete;

    private:
        ActiveFrames& frames_;
    };

    // The calling thread's frame, or null outside a frame.
    FrameCheckouts* current() const;
    int count() const;

private:
    mutable std::mutex mutex_;
    std::unordered_map<std::thread::id, FrameCheckouts*> frames_;
};

}  // namespace vmhost
