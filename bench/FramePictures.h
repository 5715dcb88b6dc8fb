#pragma once
// UHD input frames for the frame benchmarks, all opaque.

#include "bench/BenchFrame.h"
#include "host/Image.h"

#include <string>

// Footage-like: smooth gradients with a little noise, in any depth.
template <class Pixel>
vmhost::Image smoothPicture() {
    BenchFrame<Pixel> frame;
    frame.paint();
    return vmhost::Image::copyOf(*frame.world(), vmhost::pixelFormatOf<Pixel>());
}

// 8-bit cel art: flat colours with hard edges everywhere.
vmhost::Image celArtPicture();
// 8-bit, one colour: nothing for edge smoothing to find.
vmhost::Image flatPicture();

// A colour the picture holds, as "#RRGGBB" for a colour parameter.
std::string colorTextAt(const vmhost::Image& picture, A_long x, A_long y);
