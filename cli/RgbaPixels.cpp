#include "cli/RgbaPixels.h"

#include <algorithm>

namespace vmcli {

vmhost::Image toHostImage(const RgbaPixels& pixels, PF_PixelFormat format) {
    vmhost::Image image(format, pixels.width, pixels.height);
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) {
            const float* p = pixels.pixel(x, y);
            image.setNormalized(x, y, PF_PixelFloat{p[3], p[0], p[1], p[2]});
        }
    }
    return image;
}

RgbaPixels fromHostImage(const vmhost::Image& image) {
    RgbaPixels pixels(image.width(), image.height());
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) {
            const PF_PixelFloat argb = image.normalized(x, y);
            float* p = pixels.pixel(x, y);
            p[0] = argb.red;
            p[1] = argb.green;
            p[2] = argb.blue;
            p[3] = argb.alpha;
        }
    }
    return pixels;
}

RgbaPixels rgbaFromChannels(const std::vector<float>& data, int width, int height, int channels, int alphaChannel) {
    RgbaPixels pixels(width, height);
    const bool grey = channels <= 2;
    if (grey && channels == 2) alphaChannel = 1;
    // The colour channels are the first ones that are not alpha.
    int colour[3];
    for (int c = 0, next = 0; c < 3; ++c, ++next) {
        if (next == alphaChannel) ++next;
        colour[c] = grey ? 0 : std::min(next, channels - 1);
    }
    for (std::size_t i = 0, n = static_cast<std::size_t>(width) * height; i < n; ++i) {
        const float* in = data.data() + i * channels;
        float* out = pixels.values.data() + i * 4;
        for (int c = 0; c < 3; ++c) out[c] = in[colour[c]];
        out[3] = alphaChannel >= 0 && alphaChannel < channels ? in[alphaChannel] : 1.0f;
    }
    return pixels;
}

void unpremultiply(RgbaPixels& pixels) {
    for (std::size_t i = 0; i < pixels.values.size(); i += 4) {
        float* p = pixels.values.data() + i;
        const float alpha = p[3];
        for (int c = 0; c < 3; ++c) p[c] = alpha > 0.0f ? p[c] / alpha : 0.0f;
    }
}

void premultiply(RgbaPixels& pixels) {
    for (std::size_t i = 0; i < pixels.values.size(); i += 4) {
        float* p = pixels.values.data() + i;
        for (int c = 0; c < 3; ++c) p[c] *= p[3];
    }
}

}  // namespace vmcli
