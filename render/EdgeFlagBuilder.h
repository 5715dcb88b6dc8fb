#pragma once
// Fills the edge flag map from the source picture, row by row, so that bands of rows can be
// built apart. Most of a row is built four pixels at a time into one word. The diagonal bits
// of a block's first three pixels count only once an earlier right or down bit of the block
// is set (BlockDiagonals): flat blocks were once passed over without those comparisons, and
// the map keeps what that gave.

#include "render/EdgeFlagBlocks8.h"
#include "render/EdgeFlagRow8.h"
#include "render/EdgeFlagMap.h"
#include "render/PixelArithmetic.h"
#include "render/WorldPixels.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace edge_flag_detail {

// The word of the block at p[0..3] over q[0..3], compared up to p[4] and q[4].
template <class Pixel, class Threshold>
std::uint32_t blockWord(const Pixel* p, const Pixel* q, Threshold threshold) {
    auto differ = [threshold](const Pixel& a, const Pixel& b) { return pixelsDiffer(a, b, threshold); };
    std::uint32_t word = 0;
    auto mark = [&word](int pixel, EdgeFlag flag, bool differs) {
        if (differs) word |= std::uint32_t(flag) << (8 * pixel);
    };
    // Right and down bits first, then the diagonals the blocks' rule lets count.
    for (int k = 0; k < 4; ++k) {
        mark(k, FlagRight, differ(p[k], p[k + 1]));
        mark(k, FlagDown, differ(p[k], q[k]));
    }
    const std::uint32_t open = diagonalsCounted(word);
    for (int k = 0; k < 4; ++k) {
        if ((open >> (8 * k) & FlagDiagonal) == 0) continue;
        mark(k, FlagDiagonal, differ(p[k], q[k + 1]));
        mark(k, FlagAntiDiagonal, differ(q[k], p[k + 1]));
    }
    return word;
}

}  // namespace edge_flag_detail

// Builds rows [firstRow, endRow) of the map; every other row is left as it is.
template <class Pixel, class Threshold>
void buildEdgeFlagRows(EdgeFlagMap& map, const PF_EffectWorld& source, Threshold threshold, int firstRow,
                       int endRow) {
    const int w = source.width;
    const int h = source.height;
    auto row = [&source](int y) -> const Pixel* { return worldPixel<const Pixel>(source, 0, y); };
    auto differ = [threshold](const Pixel& p, const Pixel& q) { return pixelsDiffer(p, q, threshold); };
    // Blocks read one pixel past their end, so they stop before the last column.
    const int blockEnd = std::max(0, (w - 1) & ~3);
    [[maybe_unused]] const EdgeFlagRow8 row8 = edgeFlagRow8ForThisProcessor();

    for (int y = firstRow; y < endRow; ++y) {
        std::uint8_t* flags = map.row(y);
        const Pixel* p = row(y);
        std::uint32_t any = 0;
        if (y + 1 == h) {
            // The last row compares with nothing below.
            for (int x = 0; x < w; ++x) {
                flags[x] = x + 1 < w && differ(p[x], p[x + 1]) ? FlagRight : 0;
                any |= flags[x];
            }
            map.markRow(y, any != 0);
            continue;
        }
        const Pixel* q = row(y + 1);
        if constexpr (std::is_same<Pixel, PF_Pixel8>::value) {
            any |= row8(p, q, flags, blockEnd, threshold);
        } else {
            for (int x0 = 0; x0 < blockEnd; x0 += 4) {
                const std::uint32_t word = edge_flag_detail::blockWord(p + x0, q + x0, threshold);
                std::memcpy(flags + x0, &word, sizeof word);
                any |= word;
            }
        }
        for (int x = blockEnd; x + 1 < w; ++x) {
            std::uint8_t f = 0;
            if (differ(p[x], p[x + 1])) f |= FlagRight;
            if (differ(p[x], q[x])) f |= FlagDown;
            if (differ(p[x], q[x + 1])) f |= FlagDiagonal;
            if (differ(p[x + 1], q[x])) f |= FlagAntiDiagonal;
            flags[x] = f;
            any |= f;
        }
        if (w > 0) {
            flags[w - 1] = differ(p[w - 1], q[w - 1]) ? FlagDown : 0;
            any |= flags[w - 1];
        }
        map.markRow(y, any != 0);
    }
}

// Builds the whole map in one go.
template <class Pixel, class Threshold>
void buildEdgeFlags(EdgeFlagMap& map, const PF_EffectWorld& source, Threshold threshold) {
    buildEdgeFlagRows<Pixel>(map, source, threshold, 0, source.height);
}
