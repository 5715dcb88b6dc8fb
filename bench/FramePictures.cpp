#include "bench/FramePictures.h"

#include "bench/PixelArt.h"

#include <cmath>
#include <cstdio>

namespace {

template <class PaintPixel>
vmhost::Image picture8(PaintPixel paintPixel) {
    vmhost::Image image(PF_PixelFormat_ARGB32, kUhdWidth, kUhdHeight);
    for (A_long y = 0; y < image.height(); ++y) {
        for (A_long x = 0; x < image.width(); ++x) image.at<PF_Pixel8>(x, y) = paintPixel(x, y);
    }
    return image;
}

int eightBit(float fraction) {
    return static_cast<int>(std::lround(std::fmin(1.0f, std::fmax(0.0f, fraction)) * 255.0f));
}

}  // namespace

vmhost::Image celArtPicture() {
    return picture8([](A_long x, A_long y) { return pixelArt(x, y); });
}

vmhost::Image flatPicture() {
    return picture8([](A_long, A_long) { return pixelArtSky(); });
}

std::string colorTextAt(const vmhost::Image& picture, A_long x, A_long y) {
    const PF_PixelFloat pixel = picture.normalized(x, y);
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", eightBit(pixel.red), eightBit(pixel.green), eightBit(pixel.blue));
    return text;
}
