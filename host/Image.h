#pragma once
// An owning image in one of the host's pixel formats, with any row padding:
// what tests and the command-line renderer hand to a frame and get back.
// Copies are deep.

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "host/PixelBuffer.h"
#include "hostapi/HostApi.h"

namespace vmhost {

class Image {
public:
    Image();  // 0 x 0, 'argb'
    // Every byte, row padding included, starts as `fillByte`. Throws
    // std::invalid_argument for a format other than 'argb', 'ae16' and
    // 'ae32', a negative size, or padding that is not whole channels.
    Image(PF_PixelFormat format, A_long width, A_long height, A_long rowPadding = 0, std::uint8_t fillByte = 0);
    // Pixels and padding of undefined contents, for images written whole
    // before anything reads them: no pass over the memory. Throws as above.
    static Image unfilled(PF_PixelFormat format, A_long width, A_long height, A_long rowPadding = 0);
    // The pixels and padding of `world`, row by row as its rowbytes say.
    static Image copyOf(const PF_EffectWorld& world, PF_PixelFormat format);

    PF_PixelFormat format() const { return format_; }
    A_long width() const { return width_; }
    A_long height() const { return height_; }
    A_long rowbytes() const { return rowbytes_; }
    A_long rowPadding() const;
    std::size_t bytesPerPixel() const;
    // Where the top-left pixel sits in the layer (a checked-out world's origin).
    A_long originX() const { return originX_; }
    A_long originY() const { return originY_; }
    void setOrigin(A_long x, A_long y);

    // Pixel access in the image's own depth (PF_Pixel8, PF_Pixel16 or
    // PF_PixelFloat). Throws std::logic_error when Pixel is not that depth and
    // std::out_of_range outside the image.
    template <class Pixel>
    Pixel& at(A_long x, A_long y);
    template <class Pixel>
    const Pixel& at(A_long x, A_long y) const;

    // Any depth as fractions of full scale (255, 32768 or 1.0).
    PF_PixelFloat normalized(A_long x, A_long y) const;
    // Integer depths round to the nearest step and clip to 0..full scale.
    void setNormalized(A_long x, A_long y, const PF_PixelFloat& value);
    Image converted(PF_PixelFormat format, A_long rowPadding = 0) const;

    // Same format, size and pixel bytes; padding and origin do not count.
    bool samePixels(const Image& other) const;
    // Every padding byte still equals `byte` (effects must not write there).
    bool paddingHolds(std::uint8_t byte) const;

    std::uint8_t* row(A_long y) { return bytes_.data() + static_cast<std::size_t>(y) * rowbytes_; }
    const std::uint8_t* row(A_long y) const { return bytes_.data() + static_cast<std::size_t>(y) * rowbytes_; }

    // A world over these pixels, not owning them: valid while the image lives
    // and is not assigned to.
    PF_EffectWorld world();

private:
    struct Unfilled {};
    Image(PF_PixelFormat format, A_long width, A_long height, A_long rowPadding, Unfilled);

    void* pixelAddress(A_long x, A_long y, PF_PixelFormat expected) const;

    PF_PixelFormat format_;
    A_long width_ = 0;
    A_long height_ = 0;
    A_long rowbytes_ = 0;
    A_long originX_ = 0;
    A_long originY_ = 0;
    PixelBuffer bytes_;
};

template <class Pixel>
constexpr PF_PixelFormat pixelFormatOf() {
    static_assert(std::is_same_v<Pixel, PF_Pixel8> || std::is_same_v<Pixel, PF_Pixel16> ||
                      std::is_same_v<Pixel, PF_PixelFloat>,
                  "pixels are PF_Pixel8, PF_Pixel16 or PF_PixelFloat");
    if constexpr (std::is_same_v<Pixel, PF_Pixel8>) return PF_PixelFormat_ARGB32;
    if constexpr (std::is_same_v<Pixel, PF_Pixel16>) return PF_PixelFormat_ARGB64;
    return PF_PixelFormat_ARGB128;
}

template <class Pixel>
Pixel& Image::at(A_long x, A_long y) {
    return *static_cast<Pixel*>(pixelAddress(x, y, pixelFormatOf<Pixel>()));
}

template <class Pixel>
const Pixel& Image::at(A_long x, A_long y) const {
    return *static_cast<const Pixel*>(pixelAddress(x, y, pixelFormatOf<Pixel>()));
}

}  // namespace vmhost
