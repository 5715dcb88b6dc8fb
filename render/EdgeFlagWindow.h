#pragma once
// The flags around one pixel of the edge smoothing pass in three registers: columns x - 2 ..
// x + 1 of rows y - 1, y and y + 1, one byte a pixel. The scan tests there, with a few bit
// operations, whether a step can apply at all before it calls the step, which then tests
// its patterns as written; most flagged pixels need few of the steps.

#include "render/EdgeFlagMap.h"

#include <cstdint>

class EdgeFlagWindow {
public:
    // The border of the map covers every byte the window reads (two columns left, one right,
    // one row up and down).
    EdgeFlagWindow(const EdgeFlagMap& flags, int x, int y)
        : above_(flags.block(x - 2, y - 1)), here_(flags.block(x - 2, y)), below_(flags.block(x - 2, y + 1)) {}

    // The window's twelve flag nibbles in one word: windows of equal keys test alike.
    std::uint64_t key() const {
        constexpr std::uint32_t kNibbles = 0x0f0f0f0fu;
        return (above_ & kNibbles) | (here_ & kNibbles) << 4 | std::uint64_t(below_ & kNibbles) << 32;
    }

    // The tests of the pass's rules at (x + dx, y + dy), dx in -2 .. 1, dy in -1 .. 1.
    constexpr bool R(int dx, int dy) const { return has(FlagRight, dx, dy); }
    constexpr bool D(int dx, int dy) const { return has(FlagDown, dx, dy); }
    constexpr bool G(int dx, int dy) const { return has(FlagDiagonal, dx, dy); }
    constexpr bool A(int dx, int dy) const { return has(FlagAntiDiagonal, dx, dy); }

private:
    constexpr bool has(EdgeFlag flag, int dx, int dy) const {
        const std::uint32_t row = dy < 0 ? above_ : dy == 0 ? here_ : below_;
        return (row >> (8 * (dx + 2)) & flag) != 0;
    }

    std::uint32_t above_, here_, below_;
};
