#pragma once
// The order in which the edge smoothing pass visits the picture and what it does at each
// flagged pixel. Every step blends at once, so this order is part of the result.

#include "tests/render/baseline/EdgeDiagonalChains.h"
#include "tests/render/baseline/EdgeNotchRestores.h"
#include "tests/render/baseline/EdgeSmoothContext.h"
#include "tests/render/baseline/EdgeSpikesAndCorners.h"
#include "tests/render/baseline/EdgeStaircaseSteps.h"
#include "tests/render/baseline/EdgeTouchesAndBleeds.h"

namespace baseline {

template <class Pixel>
void smoothEdgesAt(const EdgeSmoothContext<Pixel>& c, int x, int y) {
    bool openRampRan = false;
    if (c.R(x, y)) {
        const HorizontalStepOutcome step = horizontalStep(c, x, y);
        openRampRan = step.openRampRan;
        if (!verticalEdgeChains(c, x, y)) touchEdge(c, x, y, step);
        notchRestoreA(c, x, y);
    }
    if (c.D(x, y)) {
        openRampRan |= verticalStep(c, x, y);
        horizontalEdgeChains(c, x, y);
        notchRestoreB(c, x, y);
        if (c.R(x, y)) notchRestoreC(c, x, y);
    }
    // A line end that faded out is neither a spike nor a corner to keep.
    if (!openRampRan && !averageSpike(c, x, y)) restoreCorner(c, x, y);
    bleedSides(c, x, y);
}

// Rows top to bottom, pixels left to right; blocks of four pixels without flags are passed
// over with one test, so flat areas cost next to nothing.
template <class Pixel>
void smoothFlaggedPixels(const EdgeSmoothContext<Pixel>& c) {
    for (int y = 0; y < c.height; ++y) {
        for (int x0 = 0; x0 < c.width; x0 += 4) {
            if (c.flags.block(x0, y) == 0) continue;
            for (int x = x0; x < x0 + 4; ++x) {
                if (c.flags.at(x, y) != 0) smoothEdgesAt(c, x, y);
            }
        }
    }
}

}  // namespace baseline
