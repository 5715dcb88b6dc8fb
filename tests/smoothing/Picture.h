#pragma once
// Small test pictures in any of the three depths, drawn as text: one character per pixel.
//   W white, K black, R red, B blue, G grey (128), . transparent (all channels 0)
// They are host images with padded rows, so a pass that ignores rowbytes or writes past a
// row's pixels shows.

#include "host/Image.h"
#include "hostapi/HostApi.h"

#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

inline PF_Pixel8 artColour(char c) {
    switch (c) {
    case 'W': return {255, 255, 255, 255};
    case 'K': return {255, 0, 0, 0};
    case 'R': return {255, 255, 0, 0};
    case 'B': return {255, 0, 0, 255};
    case 'G': return {255, 128, 128, 128};
    case '.': return {0, 0, 0, 0};
    default: throw std::invalid_argument(std::string("no colour for '") + c + "'");
    }
}

// Pixel comparisons with readable failure messages.
inline bool operator==(const PF_Pixel8& a, const PF_Pixel8& b) {
    return a.alpha == b.alpha && a.red == b.red && a.green == b.green && a.blue == b.blue;
}
inline std::ostream& operator<<(std::ostream& os, const PF_Pixel8& p) {
    return os << '(' << int(p.alpha) << ", " << int(p.red) << ", " << int(p.green) << ", " << int(p.blue) << ')';
}

// An 8-bit value in another depth, widened as the render driver widens.
template <class Pixel>
Pixel inDepth(const PF_Pixel8& p);
template <>
inline PF_Pixel8 inDepth<PF_Pixel8>(const PF_Pixel8& p) { return p; }
template <>
inline PF_Pixel16 inDepth<PF_Pixel16>(const PF_Pixel8& p) {
    auto widen = [](A_u_char v) { return static_cast<A_u_short>((v * 32768 + 128) / 255); };
    return {widen(p.alpha), widen(p.red), widen(p.green), widen(p.blue)};
}
template <>
inline PF_PixelFloat inDepth<PF_PixelFloat>(const PF_Pixel8& p) {
    auto widen = [](A_u_char v) { return static_cast<float>(v) / 255.0f; };
    return {widen(p.alpha), widen(p.red), widen(p.green), widen(p.blue)};
}

template <class Pixel>
class Picture {
public:
    static constexpr A_long kRowPadding = 32;
    // Destinations pad with another byte than sources, so even a blend of padding into
    // padding shows.
    static constexpr std::uint8_t kSourcePadding = 0x5A;
    static constexpr std::uint8_t kDestinationPadding = 0xA5;

    Picture(int width, int height, const Pixel& fill, std::uint8_t paddingByte = kSourcePadding)
        : image_(vmhost::pixelFormatOf<Pixel>(), width, height, kRowPadding, paddingByte), paddingByte_(paddingByte) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) at(x, y) = fill;
        }
        world_ = image_.world();
    }
    explicit Picture(const std::vector<std::string>& art)
        : Picture(art.empty() ? 0 : static_cast<int>(art[0].size()), static_cast<int>(art.size()), Pixel{}) {
        for (int y = 0; y < height(); ++y) {
            if (static_cast<int>(art[y].size()) != width()) throw std::invalid_argument("ragged picture");
            for (int x = 0; x < width(); ++x) at(x, y) = inDepth<Pixel>(artColour(art[y][x]));
        }
    }
    Picture(const Picture& other) : image_(other.image_), paddingByte_(other.paddingByte_) { world_ = image_.world(); }
    Picture& operator=(const Picture&) = delete;

    int width() const { return image_.width(); }
    int height() const { return image_.height(); }
    PF_EffectWorld& world() { return world_; }
    Pixel& at(int x, int y) { return image_.at<Pixel>(x, y); }
    const Pixel& at(int x, int y) const { return image_.at<Pixel>(x, y); }

    bool samePixels(const Picture& other) const { return image_.samePixels(other.image_); }
    bool paddingIntact() const { return image_.paddingHolds(paddingByte_); }

private:
    vmhost::Image image_;
    std::uint8_t paddingByte_;
    PF_EffectWorld world_{};
};
