#pragma once
// The flags around one pixel of the edge smoothing pass in three registers: columns x - 2 ..
// x + 1 of rows y - 1, y and y + 1, one byte a pixel. The scan tests there, with a few bit
// operations, whether a step can apply at all before it calls the step, which then tests
// its patterns as written; most flagged pixels need few of the steps.

#include "render/EdgeFlagMap.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

class EdgeFlagWindow {
public:
    // The border of the map covers every byte the window reads (two columns left, one right,
    // one row up and down).
    EdgeFlagWindow(const EdgeFlagMap& flags, int x, int y) : EdgeFlagWindow(flags.address(x, y), flags.stride()) {}
    // The same from the address of the pixel's flags in a map `stride` bytes a row, which a
    // scan along a row keeps at hand.
    EdgeFlagWindow(const std::uint8_t* here, std::ptrdiff_t stride)
        : above_(word(here - stride - 2)), here_(word(here - 2)), below_(word(here + stride - 2)) {}

    // The window's twelve flag nibbles in one word: windows of equal keys test alike.
    std::uint64_t key() const {
        constexpr std::uint32_t kNibbles = 0x0f0f0f0fu;
        return (above_ & kNibbles) | (here_ & kNibbles) << 4 | std::uint64_t(below_ & kNibbles) << 32;
    }

    // Whether no pixel of the window differs from its right neighbour.
    bool noRightDifferences() const { return ((above_ | here_ | below_) & 0x01010101u * FlagRight) == 0; }

    // The tests of the pass's rules at (x + dx, y + dy), dx in -2 .. 1, dy in -1 .. 1.
    constexpr bool R(int dx, int dy) const { return has(FlagRight, dx, dy); }
    constexpr bool D(int dx, int dy) const { return has(FlagDown, dx, dy); }
    constexpr bool G(int dx, int dy) const { return has(FlagDiagonal, dx, dy); }
    constexpr bool A(int dx, int dy) const { return has(FlagAntiDiagonal, dx, dy); }

private:
    static std::uint32_t word(const std::uint8_t* bytes) {
        std::uint32_t w;
        std::memcpy(&w, bytes, sizeof w);
        return w;
    }
    constexpr bool has(EdgeFlag flag, int dx, int dy) const {
        const std::uint32_t row = dy < 0 ? above_ : dy == 0 ? here_ : below_;
        return (row >> (8 * (dx + 2)) & flag) != 0;
    }

    std::uint32_t above_, here_, below_;
};
