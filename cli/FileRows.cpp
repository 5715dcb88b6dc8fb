#include "cli/FileRows.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

namespace vmcli {

namespace {

// Channel values in the host's scale: 255, 32768 or 1.0 for full.
template <class Pixel>
struct Channel {
    using Type = decltype(Pixel::alpha);
    static constexpr bool integer = !std::is_same_v<Pixel, PF_PixelFloat>;
    static constexpr double full = std::is_same_v<Pixel, PF_Pixel8> ? 255.0 : integer ? 32768.0 : 1.0;

    // Nearest integer step of `fraction` of full scale, clipped; NaN gives 0.
    static Type fromFraction(float fraction) {
        if constexpr (!integer) {
            return fraction;
        } else {
            if (!(fraction > 0.0f)) return 0;
            if (fraction >= 1.0f) return static_cast<Type>(full);
            return static_cast<Type>(std::floor(fraction * full + 0.5));
        }
    }
    static float toFraction(Type value) { return static_cast<float>(value) / static_cast<float>(full); }
};

template <class Pixel>
void toImage(const float* values, const FileChannels& channels, bool premultiplied, vmhost::Image& image,
             int firstRow, int rows) {
    using C = Channel<Pixel>;
    const int width = image.width();
    for (int y = firstRow; y < firstRow + rows; ++y) {
        auto* out = reinterpret_cast<Pixel*>(image.row(y));
        for (int x = 0; x < width; ++x, values += channels.count) {
            const float alpha = channels.alpha >= 0 ? values[channels.alpha] : 1.0f;
            float colour[3];
            for (int c = 0; c < 3; ++c) {
                const float value = values[channels.colour[c]];
                colour[c] = !premultiplied ? value : alpha > 0.0f ? value / alpha : 0.0f;
            }
            out[x].alpha = C::fromFraction(alpha);
            out[x].red = C::fromFraction(colour[0]);
            out[x].green = C::fromFraction(colour[1]);
            out[x].blue = C::fromFraction(colour[2]);
        }
    }
}

template <class Pixel>
void toFile(const vmhost::Image& image, int firstRow, int rows, bool withAlpha, bool premultiplied, float* values) {
    using C = Channel<Pixel>;
    const int width = image.width();
    for (int y = firstRow; y < firstRow + rows; ++y) {
        const auto* in = reinterpret_cast<const Pixel*>(image.row(y));
        for (int x = 0; x < width; ++x) {
            const float alpha = C::toFraction(in[x].alpha);
            const float scale = premultiplied ? alpha : 1.0f;
            *values++ = C::toFraction(in[x].red) * scale;
            *values++ = C::toFraction(in[x].green) * scale;
            *values++ = C::toFraction(in[x].blue) * scale;
            if (withAlpha) *values++ = alpha;
        }
    }
}

}  // namespace

FileChannels FileChannels::of(int count, int alphaChannel) {
    FileChannels channels;
    channels.count = count;
    const bool grey = count <= 2;
    if (grey && count == 2) alphaChannel = 1;
    channels.alpha = alphaChannel >= 0 && alphaChannel < count ? alphaChannel : -1;
    for (int c = 0, next = 0; c < 3; ++c, ++next) {
        if (next == alphaChannel) ++next;
        channels.colour[c] = grey ? 0 : std::min(next, count - 1);
    }
    return channels;
}

void fileRowsToImage(const float* values, const FileChannels& channels, bool premultiplied, vmhost::Image& image,
                     int firstRow, int rows) {
    switch (image.format()) {
        case PF_PixelFormat_ARGB32: return toImage<PF_Pixel8>(values, channels, premultiplied, image, firstRow, rows);
        case PF_PixelFormat_ARGB64: return toImage<PF_Pixel16>(values, channels, premultiplied, image, firstRow, rows);
        default: return toImage<PF_PixelFloat>(values, channels, premultiplied, image, firstRow, rows);
    }
}

void imageRowsToFile(const vmhost::Image& image, int firstRow, int rows, bool withAlpha, bool premultiplied,
                     float* values) {
    switch (image.format()) {
        case PF_PixelFormat_ARGB32: return toFile<PF_Pixel8>(image, firstRow, rows, withAlpha, premultiplied, values);
        case PF_PixelFormat_ARGB64: return toFile<PF_Pixel16>(image, firstRow, rows, withAlpha, premultiplied, values);
        default: return toFile<PF_PixelFloat>(image, firstRow, rows, withAlpha, premultiplied, values);
    }
}

}  // namespace vmcli
