#pragma once
// The order in which the edge smoothing pass visits the picture and what it does at each
// flagged pixel. Every step blends at once, so this order is part of the result.

#include "render/EdgeDiagonalChains.h"
#include "render/EdgeFlagWindow.h"
#include "render/EdgeNotchRestores.h"
#include "render/EdgeSmoothContext.h"
#include "render/EdgeSpikesAndCorners.h"
#include "render/EdgeStaircaseSteps.h"
#include "render/EdgeStepGates.h"
#include "render/EdgeTouchesAndBleeds.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

// Each step runs only where its gate (WindowGates or KnownGates) lets it apply: the others do
// nothing there.
template <class Pixel, class Gates>
void smoothEdgesAt(const EdgeSmoothContext<Pixel>& c, int x, int y, const Gates& gates) {
    const auto open = [&gates](StepGate g) { return gates.open(g); };
    const std::uint8_t here = c.flags.at(x, y);
    bool openRampRan = false;
    if ((here & FlagRight) != 0) {
        HorizontalStepOutcome step;
        if (open(GateStepLeft) || open(GateStepRight)) {
            step = horizontalStep(c, x, y, open(GateStepLeft), open(GateStepRight));
        }
        openRampRan = step.openRampRan;
        if (!(open(GateVerticalChains) && verticalEdgeChains(c, x, y)) && open(GateTouch)) touchEdge(c, x, y, step);
        if (open(GateNotchA)) notchRestoreA(c, x, y);
    }
    if ((here & FlagDown) != 0) {
        if (open(GateStepUp) || open(GateStepDown)) {
            openRampRan |= verticalStep(c, x, y, open(GateStepUp), open(GateStepDown));
        }
        if (open(GateHorizontalChains)) horizontalEdgeChains(c, x, y);
        if (open(GateNotchB)) notchRestoreB(c, x, y);
        if ((here & FlagRight) != 0 && open(GateNotchC)) notchRestoreC(c, x, y);
    }
    // A line end that faded out is neither a spike nor a corner to keep.
    if (!openRampRan && !(open(GateSpike) && averageSpike(c, x, y)) && open(GateCorner)) restoreCorner(c, x, y);
    if (open(GateBleed)) bleedSides(c, x, y);
}

// A flagged pixel. Most of them, along straight edges, have nothing to do, or only one or two
// steps open: the commonest of those are made at once, as smoothEdgesAt would make them,
// without trying the others.
template <class Pixel, class Gates>
void smoothFlaggedPixel(const EdgeSmoothContext<Pixel>& c, int x, int y, const Gates& gates) {
    if (gates.exactly(0)) return;
    if (gates.exactly(GateTouch)) {
        touchBothSides(c, x, y);
    } else if (gates.exactly(GateTouch | GateNotchA)) {
        touchBothSides(c, x, y);
        notchRestoreA(c, x, y);
    } else if (gates.exactly(GateHorizontalChains)) {
        horizontalEdgeChains(c, x, y);
    } else {
        smoothEdgesAt(c, x, y, gates);
    }
}

// Row y's pixels with a right or down difference, left to right, eight flag bytes at a time;
// gatesAt(window) gives the gates of a pixel's window.
template <class Pixel, class GatesAt>
void smoothFlaggedRow(const EdgeSmoothContext<Pixel>& c, int y, GatesAt gatesAt) {
    constexpr std::uint64_t kRightOrDown = (FlagRight | FlagDown) * 0x0101010101010101u;
    // Held here rather than read through the map at each pixel, which the steps might change
    // as far as the compiler knows.
    const std::uint8_t* const row = c.flags.address(0, y);
    const std::ptrdiff_t stride = c.flags.stride();
    const int width = c.width;
    for (int x0 = 0; x0 < width; x0 += 8) {
        std::uint64_t pending;
        std::memcpy(&pending, row + x0, sizeof pending);
        pending &= kRightOrDown;
        // The last word reaches past the border into the next row.
        if (width - x0 < 8) pending &= (std::uint64_t(1) << (8 * (width - x0))) - 1;
        while (pending != 0) {
            const int k = lowestSetBit(pending) / 8;
            // No right difference anywhere in the window (the pixel's own is then a down one,
            // as along a level edge): every step of a down difference needs one, so none applies.
            const EdgeFlagWindow window(row + x0 + k, stride);
            if (!window.noRightDifferences()) smoothFlaggedPixel(c, x0 + k, y, gatesAt(window));
            pending &= ~(std::uint64_t(0xff) << (8 * k));
        }
    }
}

// Rows firstRow .. endRow - 1 top to bottom, pixels left to right. Only a right or down
// difference gives a pixel anything to do (every step starts from one), so rows without flags
// are passed over.
template <class Pixel>
void smoothFlaggedRows(const EdgeSmoothContext<Pixel>& c, int firstRow, int endRow) {
    StepGateCache gateCache;
    for (int y = firstRow; y < endRow; ++y) {
        if (!c.flags.rowFlagged(y)) continue;
        if (gateCache.inUse()) {
            smoothFlaggedRow(c, y, [&gateCache](const EdgeFlagWindow& window) { return gateCache.gates(window); });
        } else {
            smoothFlaggedRow(c, y, [](const EdgeFlagWindow& window) { return WindowGates(window); });
        }
        gateCache.endRow();
    }
}
