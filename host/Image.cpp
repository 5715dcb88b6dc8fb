#include "host/Image.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <string>

#include "host/PixelFormat.h"

namespace vmhost {

namespace {

double fullScale(PF_PixelFormat format) {
    switch (format) {
        case PF_PixelFormat_ARGB32: return 255.0;
        case PF_PixelFormat_ARGB64: return 32768.0;
        default: return 1.0;
    }
}

// Nearest integer step of `fraction` of full scale, clipped; NaN gives 0.
unsigned quantise(float fraction, double full) {
    if (!(fraction > 0.0f)) return 0;
    if (fraction >= 1.0f) return static_cast<unsigned>(full);
    return static_cast<unsigned>(std::floor(fraction * full + 0.5));
}

}  // namespace

Image::Image() : Image(PF_PixelFormat_ARGB32, 0, 0) {}

Image::Image(PF_PixelFormat format, A_long width, A_long height, A_long rowPadding, std::uint8_t fillByte)
    : Image(format, width, height, rowPadding, Unfilled{}) {
    std::memset(bytes_.data(), fillByte, bytes_.size());
}

Image Image::unfilled(PF_PixelFormat format, A_long width, A_long height, A_long rowPadding) {
    return Image(format, width, height, rowPadding, Unfilled{});
}

Image::Image(PF_PixelFormat format, A_long width, A_long height, A_long rowPadding, Unfilled)
    : format_(format), width_(width), height_(height) {
    const std::size_t channel = bytesPerChannel(format);
    if (channel == 0) throw std::invalid_argument("Image: unknown pixel format " + formatName(format));
    if (width < 0 || height < 0 || rowPadding < 0)
        throw std::invalid_argument("Image: negative size or padding");
    // Pixels must stay aligned to their channels in every row.
    if (rowPadding % static_cast<A_long>(channel) != 0)
        throw std::invalid_argument("Image: row padding of " + std::to_string(rowPadding) + " bytes splits a channel");
    rowbytes_ = width * static_cast<A_long>(bytesPerPixel()) + rowPadding;
    // Never empty, so that even a 0 x 0 world has a pixel address of its own.
    bytes_ = PixelBuffer(std::max<std::size_t>(1, static_cast<std::size_t>(rowbytes_) * height));
}

Image Image::copyOf(const PF_EffectWorld& world, PF_PixelFormat format) {
    const std::size_t pixelBytes = vmhost::bytesPerPixel(format);
    const A_long rowBytesUsed = world.width * static_cast<A_long>(pixelBytes);
    if (pixelBytes && world.rowbytes < rowBytesUsed)
        throw std::invalid_argument("Image::copyOf: rowbytes shorter than a row");
    Image image = unfilled(format, world.width, world.height, world.rowbytes - rowBytesUsed);
    const auto* source = reinterpret_cast<const std::uint8_t*>(world.data);
    for (A_long y = 0; y < world.height; ++y)
        std::memcpy(image.row(y), source + static_cast<std::ptrdiff_t>(y) * world.rowbytes, image.rowbytes_);
    image.setOrigin(world.origin_x, world.origin_y);
    return image;
}

A_long Image::rowPadding() const {
    return rowbytes_ - width_ * static_cast<A_long>(bytesPerPixel());
}

std::size_t Image::bytesPerPixel() const {
    return vmhost::bytesPerPixel(format_);
}

void Image::setOrigin(A_long x, A_long y) {
    originX_ = x;
    originY_ = y;
}

void* Image::pixelAddress(A_long x, A_long y, PF_PixelFormat expected) const {
    if (expected != format_)
        throw std::logic_error("Image: pixels are " + formatName(format_) + ", not " + formatName(expected));
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        throw std::out_of_range("Image: pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") outside");
    return const_cast<std::uint8_t*>(row(y)) + static_cast<std::size_t>(x) * bytesPerPixel();
}

PF_PixelFloat Image::normalized(A_long x, A_long y) const {
    switch (format_) {
        case PF_PixelFormat_ARGB32: {
            const PF_Pixel8& p = at<PF_Pixel8>(x, y);
            return {p.alpha / 255.0f, p.red / 255.0f, p.green / 255.0f, p.blue / 255.0f};
        }
        case PF_PixelFormat_ARGB64: {
            const PF_Pixel16& p = at<PF_Pixel16>(x, y);
            return {p.alpha / 32768.0f, p.red / 32768.0f, p.green / 32768.0f, p.blue / 32768.0f};
        }
        default:
            return at<PF_PixelFloat>(x, y);
    }
}

void Image::setNormalized(A_long x, A_long y, const PF_PixelFloat& value) {
    const double full = fullScale(format_);
    switch (format_) {
        case PF_PixelFormat_ARGB32: {
            PF_Pixel8& p = at<PF_Pixel8>(x, y);
            p.alpha = static_cast<A_u_char>(quantise(value.alpha, full));
            p.red = static_cast<A_u_char>(quantise(value.red, full));
            p.green = static_cast<A_u_char>(quantise(value.green, full));
            p.blue = static_cast<A_u_char>(quantise(value.blue, full));
            break;
        }
        case PF_PixelFormat_ARGB64: {
            PF_Pixel16& p = at<PF_Pixel16>(x, y);
            p.alpha = static_cast<A_u_short>(quantise(value.alpha, full));
            p.red = static_cast<A_u_short>(quantise(value.red, full));
            p.green = static_cast<A_u_short>(quantise(value.green, full));
            p.blue = static_cast<A_u_short>(quantise(value.blue, full));
            break;
        }
        default:
            at<PF_PixelFloat>(x, y) = value;
            break;
    }
}

Image Image::converted(PF_PixelFormat format, A_long rowPadding) const {
    Image image(format, width_, height_, rowPadding);
    image.setOrigin(originX_, originY_);
    for (A_long y = 0; y < height_; ++y)
        for (A_long x = 0; x < width_; ++x) image.setNormalized(x, y, normalized(x, y));
    return image;
}

bool Image::samePixels(const Image& other) const {
    if (format_ != other.format_ || width_ != other.width_ || height_ != other.height_) return false;
    const std::size_t used = static_cast<std::size_t>(width_) * bytesPerPixel();
    for (A_long y = 0; y < height_; ++y)
        if (std::memcmp(row(y), other.row(y), used) != 0) return false;
    return true;
}

bool Image::paddingHolds(std::uint8_t byte) const {
    const std::size_t used = static_cast<std::size_t>(width_) * bytesPerPixel();
    for (A_long y = 0; y < height_; ++y)
        for (std::size_t i = used; i < static_cast<std::size_t>(rowbytes_); ++i)
            if (row(y)[i] != byte) return false;
    return true;
}

PF_EffectWorld Image::world() {
    PF_EffectWorld world;
    std::memset(&world, 0, sizeof world);
    world.world_flags = PF_WorldFlag_WRITEABLE | (format_ == PF_PixelFormat_ARGB64 ? PF_WorldFlag_DEEP : 0);
    world.data = reinterpret_cast<PF_PixelPtr>(bytes_.data());
    world.rowbytes = rowbytes_;
    world.width = width_;
    world.height = height_;
    world.extent_hint = {0, 0, width_, height_};
    world.pix_aspect_ratio = {1, 1};
    world.origin_x = originX_;
    world.origin_y = originY_;
    return world;
}

}  // namespace vmhost
