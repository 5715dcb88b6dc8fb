#pragma once
// Fills the edge flag map from the source picture. Most of the map is built four pixels at a
// time into one word, and the diagonal comparisons of a block's first three pixels are made
// only once an earlier bit of the block is set, so flat areas cost few comparisons.

#include "tests/render/baseline/EdgeFlagMap.h"
#include "tests/render/baseline/PixelArithmetic.h"
#include "render/WorldPixels.h"

#include <algorithm>
#include <cstdint>

namespace baseline {

template <class Pixel, class Threshold>
void buildEdgeFlags(EdgeFlagMap& map, const PF_EffectWorld& source, Threshold threshold) {
    const int w = source.width;
    const int h = source.height;
    auto row = [&source](int y) -> const Pixel* { return worldPixel<const Pixel>(source, 0, y); };
    auto differ = [threshold](const Pixel& p, const Pixel& q) { return pixelsDiffer(p, q, threshold); };
    // Blocks read one pixel past their end, so they stop before the last column.
    const int blockEnd = std::max(0, (w - 1) & ~3);

    for (int y = 0; y + 1 < h; ++y) {
        const Pixel* p = row(y);
        const Pixel* q = row(y + 1);
        for (int x0 = 0; x0 < blockEnd; x0 += 4, p += 4, q += 4) {
            std::uint32_t word = 0;
            auto mark = [&word](int pixel, EdgeFlag flag, bool differs) {
                if (differs) word |= std::uint32_t(flag) << (8 * pixel);
            };
            mark(0, FlagRight, differ(p[0], p[1]));
            mark(1, FlagRight, differ(p[1], p[2]));
            mark(0, FlagDown, differ(p[0], q[0]));
            mark(1, FlagDown, differ(p[1], q[1]));
            if (word != 0) {
                mark(0, FlagDiagonal, differ(p[0], q[1]));
                mark(0, FlagAntiDiagonal, differ(q[0], p[1]));
            }
            mark(2, FlagRight, differ(p[2], p[3]));
            mark(2, FlagDown, differ(p[2], q[2]));
            if (word != 0) {
                mark(1, FlagAntiDiagonal, differ(q[1], p[2]));
                mark(1, FlagDiagonal, differ(p[1], q[2]));
            }
            mark(3, FlagRight, differ(p[3], p[4]));
            mark(3, FlagDown, differ(p[3], q[3]));
            if (word != 0) {
                mark(2, FlagDiagonal, differ(p[2], q[3]));
                mark(2, FlagAntiDiagonal, differ(q[2], p[3]));
            }
            mark(3, FlagAntiDiagonal, differ(q[3], p[4]));
            mark(3, FlagDiagonal, differ(p[3], q[4]));
            if (word != 0) map.setBlock(x0, y, word);
        }
        for (int x = blockEnd; x + 1 < w; ++x) {
            const Pixel* pr = row(y);
            const Pixel* qr = row(y + 1);
            std::uint8_t flags = 0;
            if (differ(pr[x], pr[x + 1])) flags |= FlagRight;
            if (differ(pr[x], qr[x])) flags |= FlagDown;
            if (differ(pr[x], qr[x + 1])) flags |= FlagDiagonal;
            if (differ(pr[x + 1], qr[x])) flags |= FlagAntiDiagonal;
            map.set(x, y, flags);
        }
        if (w > 0 && differ(row(y)[w - 1], row(y + 1)[w - 1])) map.set(w - 1, y, FlagDown);
    }
    if (h > 0) {
        const Pixel* last = row(h - 1);
        for (int x = 0; x + 1 < w; ++x) {
            if (differ(last[x], last[x + 1])) map.set(x, h - 1, FlagRight);
        }
    }
}

}  // namespace baseline
