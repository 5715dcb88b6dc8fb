#pragma once
// The order in which the edge smoothing pass visits the picture and what it does at each
// flagged pixel. Every step blends at once, so this order is part of the result.

#include "render/EdgeDiagonalChains.h"
#include "render/EdgeFlagWindow.h"
#include "render/EdgeNotchRestores.h"
#include "render/EdgeSmoothContext.h"
#include "render/EdgeSpikesAndCorners.h"
#include "render/EdgeStaircaseSteps.h"
#include "render/EdgeTouchesAndBleeds.h"

#include <cstdint>

template <class Pixel>
void smoothEdgesAt(const EdgeSmoothContext<Pixel>& c, int x, int y) {
    // Each step runs only where its near flags let it apply: the rest do nothing there.
    const EdgeFlagWindow n(c.flags, x, y);
    bool openRampRan = false;
    if (n.R(0, 0)) {
        HorizontalStepOutcome step;
        if (stepLeftMayApply(n) || stepRightMayApply(n)) step = horizontalStep(c, n, x, y);
        openRampRan = step.openRampRan;
        if (!(verticalEdgeChainsMayApply(n) && verticalEdgeChains(c, x, y))) touchEdge(c, x, y, step);
        if (notchRestoreAMayApply(n)) notchRestoreA(c, x, y);
    }
    if (n.D(0, 0)) {
        if (stepUpMayApply(n) || stepDownMayApply(n)) openRampRan |= verticalStep(c, n, x, y);
        if (horizontalEdgeChainsMayApply(n)) horizontalEdgeChains(c, x, y);
        if (notchRestoreBMayApply(n)) notchRestoreB(c, x, y);
        if (n.R(0, 0) && notchRestoreCMayApply(n)) notchRestoreC(c, x, y);
    }
    // A line end that faded out is neither a spike nor a corner to keep.
    if (!openRampRan && !(spikeMayApply(n) && averageSpike(c, x, y)) && cornerMayApply(n)) restoreCorner(c, x, y);
    if (bleedMayApply(n)) bleedSides(c, x, y);
}

// Rows firstRow .. endRow - 1 top to bottom, pixels left to right. Only a right or down
// difference gives a pixel anything to do (every step starts from one), so rows without flags
// are passed over, and eight pixels at a time go straight to those that have one.
template <class Pixel>
void smoothFlaggedRows(const EdgeSmoothContext<Pixel>& c, int firstRow, int endRow) {
    constexpr std::uint64_t kRightOrDown = (FlagRight | FlagDown) * 0x0101010101010101u;
    for (int y = firstRow; y < endRow; ++y) {
        if (!c.flags.rowFlagged(y)) continue;
        for (int x0 = 0; x0 < c.width; x0 += 8) {
            std::uint64_t pending = c.flags.wideBlock(x0, y) & kRightOrDown;
            // The last word reaches past the border into the next row.
            if (c.width - x0 < 8) pending &= (std::uint64_t(1) << (8 * (c.width - x0))) - 1;
            while (pending != 0) {
                const int k = lowestSetBit(pending) / 8;
                smoothEdgesAt(c, x0 + k, y);
                pending &= ~(std::uint64_t(0xff) << (8 * k));
            }
        }
    }
}
