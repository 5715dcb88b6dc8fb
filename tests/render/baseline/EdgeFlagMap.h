#pragma once
// The edge smoothing pass's map of differences: one flag byte per pixel, kept in a scratch
// world of the host. A zero border (one row above and below, four bytes to the left, at least
// one to the right) lets the neighbour tests read past the image without bounds checks: up to
// three columns left, one row up or down, one column right, and two columns right on rows
// above the bottom border (the second lands in the next row's left border).

#include "hostapi/HostApi.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace baseline {

enum EdgeFlag : std::uint8_t {
    FlagRight = 1,         // differs from the pixel to the right
    FlagDown = 2,          // differs from the pixel below
    FlagDiagonal = 4,      // differs from the pixel below right
    FlagAntiDiagonal = 8,  // the pixel below differs from the pixel to the right
};

class EdgeFlagMap {
public:
    EdgeFlagMap() = default;
    ~EdgeFlagMap();
    EdgeFlagMap(const EdgeFlagMap&) = delete;
    EdgeFlagMap& operator=(const EdgeFlagMap&) = delete;

    // Bytes per map row: the width plus the border, rounded up to whole 8-bit world pixels.
    static std::int32_t strideFor(std::int32_t width) { return (width + 5 + 3) & ~3; }

    // Gets a cleared map for a width x height image from the host's world suite; returns the
    // host's error, and then holds nothing.
    PF_Err create(const PF_WorldSuite1& worlds, PF_ProgPtr effectRef, std::int32_t width, std::int32_t height);

    // The host world the flags live in.
    const PF_EffectWorld& world() const { return world_; }
    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    std::int32_t stride() const { return stride_; }
    // The first byte of the map, the top-left corner of its border.
    const std::uint8_t* bytes() const { return bytes_; }

    std::uint8_t at(int x, int y) const { return bytes_[offset(x, y)]; }
    // The flags of pixels x0 .. x0 + 3, x0 a multiple of 4; the bytes past the image read 0.
    std::uint32_t block(int x0, int y) const {
        std::uint32_t word;
        std::memcpy(&word, bytes_ + offset(x0, y), sizeof word);
        return word;
    }
    // Stores the flags of pixels x0 .. x0 + 3, that of x0 in the lowest byte.
    void setBlock(int x0, int y, std::uint32_t word) {
        std::uint8_t* p = bytes_ + offset(x0, y);
        for (int k = 0; k < 4; ++k) p[k] = static_cast<std::uint8_t>(word >> (8 * k));
    }
    void set(int x, int y, std::uint8_t flags) { bytes_[offset(x, y)] = flags; }

    // The four tests of the pass's rules, named as there: R(x, y) is FlagRight of (x, y), and
    // D, G, A are FlagDown, FlagDiagonal and FlagAntiDiagonal.
    bool R(int x, int y) const { return (at(x, y) & FlagRight) != 0; }
    bool D(int x, int y) const { return (at(x, y) & FlagDown) != 0; }
    bool G(int x, int y) const { return (at(x, y) & FlagDiagonal) != 0; }
    bool A(int x, int y) const { return (at(x, y) & FlagAntiDiagonal) != 0; }

private:
    std::ptrdiff_t offset(int x, int y) const { return std::ptrdiff_t(y + 1) * stride_ + 4 + x; }

    const PF_WorldSuite1* worlds_ = nullptr;
    PF_ProgPtr effectRef_ = nullptr;
    PF_EffectWorld world_{};
    std::uint8_t* bytes_ = nullptr;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::int32_t stride_ = 0;
};

}  // namespace baseline
