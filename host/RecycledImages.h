#pragma once
// Images of disposed worlds (and frame images a caller is done with) kept for
// reuse, so that a frame that makes and frees temporary worlds takes the last
// frame's memory instead of faulting in fresh pages. Holds at most `capacity` images; the oldest goes first. Not
// locked on its own: its owner guards it.

#include <deque>
#include <memory>

#include "host/Image.h"
#include "hostapi/HostApi.h"

namespace vmhost {

class RecycledImages {
public:
    explicit RecycledImages(int capacity) : capacity_(capacity) {}

    // One of exactly this format, size and padding (its pixels as the last
    // user left them), or null.
    std::unique_ptr<Image> take(PF_PixelFormat format, A_long width, A_long height, A_long rowPadding);
    // Keeps `image` for a later take; with a capacity of 0 it is freed.
    void give(std::unique_ptr<Image> image);
    int size() const { return static_cast<int>(images_.size()); }

private:
    const int capacity_;
    std::deque<std::unique_ptr<Image>> images_;  // oldest first
};

}  // namespace vmhost
