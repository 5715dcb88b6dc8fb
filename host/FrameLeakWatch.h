#pragma once
// Finds what the effect keeps after rendering: handles and worlds the host
// holds once the last of a run of overlapping frames has ended, beyond what
// it held when the first of them began. Handles the effect takes outside
// frames meanwhile (sequence data, say) would count too, so tests render
// without such commands in flight. Safe to call from several threads.

#include <mutex>

namespace vmhost {

class HandleStore;
class WorldStore;

struct HeldAfterFrames {
    int handles = 0;
    int worlds = 0;
    bool any() const { return handles > 0 || worlds > 0; }
};

class FrameLeakWatch {
public:
    FrameLeakWatch(const HandleStore& handles, const WorldStore& worlds);

    // One frame while it lives; finish() gives what was left when it was the
    // last frame out, else nothing.
    class Frame {
    public:
        explicit Frame(FrameLeakWatch& watch);
        ~Frame();
        Frame(const Frame&) = delete;
        Frame& operator=(const Frame&) = delete;
        HeldAfterFrames finish();

    private:
        FrameLeakWatch& watch_;
        bool finished_ = false;
    };

    // Everything found so far, and how many runs of frames left something.
    HeldAfterFrames leaked() const;
    int leakReports() const;

private:
    HeldAfterFrames held() const;

    const HandleStore& handles_;
    const WorldStore& worlds_;
    mutable std::mutex mutex_;
    int framesInFlight_ = 0;
    HeldAfterFrames atStart_;
    HeldAfterFrames leaked_;
    int leakReports_ = 0;
};

}  // namespace vmhost
