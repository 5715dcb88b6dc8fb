#pragma once
// Pixels as image files hold them: interleaved red, green, blue, alpha as
// fractions of full scale, straight alpha. The bridge between OpenImageIO's
// buffers and the host's ARGB images.

#include <vector>

#include "host/Image.h"

namespace vmcli {

struct RgbaPixels {
    int width = 0;
    int height = 0;
    std::vector<float> values;  // width * height * 4

    RgbaPixels() = default;
    RgbaPixels(int w, int h) : width(w), height(h), values(static_cast<std::size_t>(w) * h * 4, 0.0f) {}
    float* pixel(int x, int y) { return values.data() + (static_cast<std::size_t>(y) * width + x) * 4; }
    const float* pixel(int x, int y) const { return values.data() + (static_cast<std::size_t>(y) * width + x) * 4; }
};

// Integer formats round to the nearest step and clip to full scale.
vmhost::Image toHostImage(const RgbaPixels& pixels, PF_PixelFormat format);
RgbaPixels fromHostImage(const vmhost::Image& image);

// From `channels` interleaved file channels: grey (1), grey and alpha (2),
// RGB (3) or RGB with alpha at `alphaChannel` (4 or more; -1: none, and the
// fourth channel is not alpha). Without alpha the pixels are opaque.
RgbaPixels rgbaFromChannels(const std::vector<float>& data, int width, int height, int channels, int alphaChannel);

// Between premultiplied and straight colour; colour under zero alpha becomes 0.
void unpremultiply(RgbaPixels& pixels);
void premultiply(RgbaPixels& pixels);

}  // namespace vmcli
