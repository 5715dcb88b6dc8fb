#pragma once
// A pixel that sticks out of its surroundings alone (a spike) is averaged with its edge
// neighbours; where no spike is found, the corner of a step is moved three quarters of the
// way back to its source value so that the ramps do not round it off.

#include "render/EdgeFlagWindow.h"
#include "render/EdgeSmoothContext.h"
#include "render/PixelAccumulator.h"

// Whether averageSpike finds a spike at a flagged pixel: its tests, all inside the window.
inline bool spikeMayApply(const EdgeFlagWindow& n) {
    const bool left = n.R(-1, 0), right = n.R(0, 0), top = n.D(0, -1), bottom = n.D(0, 0);
    const int differing = int(left) + int(right) + int(top) + int(bottom);
    if (differing < 3) return false;
    const bool topLeft = n.G(-1, -1), topRight = n.A(0, -1), bottomLeft = n.A(-1, 0), bottomRight = n.G(0, 0);
    if (differing == 4) return (bottomRight || topLeft) && (topRight || bottomLeft);
    if (topLeft && topRight && bottomLeft && bottomRight) return false;
    return !left ? topRight && bottomRight : !right ? bottomLeft && topLeft : !top ? bottomLeft && bottomRight
                                                                                 : topRight && topLeft;
}

// The tests of restoreCorner's patterns that lie inside the window.
inline bool cornerMayApply(const EdgeFlagWindow& n) {
    if (n.R(0, 0)) {
        return (n.R(0, -1) && !n.R(1, -1) && !n.D(1, -1)) ||
               (n.D(-1, -1) && n.D(0, -1) && !n.A(0, -1) && !n.R(-1, 0) && !n.D(0, 0) && n.R(0, 1)) ||
               (n.R(0, -1) && !n.D(0, -1) && !n.R(-1, 0) && n.D(-1, 0) && n.D(0, 0) && !n.G(0, 0));
    }
    return n.D(0, 0) && n.R(-1, -1) && !n.D(0, -1) && n.R(-1, 0) && !n.A(-1, 0) && n.D(1, 0);
}

// Returns whether the averaging applied; the corner restores are then skipped.
template <class Pixel>
bool averageSpike(const EdgeSmoothContext<Pixel>& c, int x, int y) {
    if (!c.R(x, y) && !c.D(x, y)) return false;
    const bool left = c.R(x - 1, y), right = c.R(x, y), top = c.D(x, y - 1), bottom = c.D(x, y);
    const int differing = int(left) + int(right) + int(top) + int(bottom);
    if (differing < 3) return false;
    const bool topLeft = c.G(x - 1, y - 1), topRight = c.A(x, y - 1);
    const bool bottomLeft = c.A(x - 1, y), bottomRight = c.G(x, y);
    if (differing == 3) {
        // A pixel unlike all its diagonal neighbours too is a corner, not a spike.
        if (topLeft && topRight && bottomLeft && bottomRight) return false;
        // The two diagonal neighbours away from the one alike edge neighbour must differ.
        const bool spike = !left    ? topRight && bottomRight
                           : !right ? bottomLeft && topLeft
                           : !top   ? bottomLeft && bottomRight
                                    : topRight && topLeft;
        if (!spike) return false;
    } else if (!((bottomRight || topLeft) && (topRight || bottomLeft))) {
        return false;
    }

    PixelAccumulator<Pixel> mean;
    if (x > 0) mean.add(c.in(x - 1, y), c.cornerWeight);
    if (x < c.width - 1) mean.add(c.in(x + 1, y), c.cornerWeight);
    if (y > 0) mean.add(c.in(x, y - 1), c.cornerWeight);
    if (y < c.height - 1) mean.add(c.in(x, y + 1), c.cornerWeight);
    if (mean.hasWeight()) c.average(x, y, mean);
    return true;
}

template <class Pixel>
void restoreCorner(const EdgeSmoothContext<Pixel>& c, int x, int y) {
    int tx = -1;
    int ty = -1;
    if (c.R(x, y)) {
        if (x < c.width - 3 && y >= 3 && !c.G(x, y - 2) && c.D(x + 1, y - 2) && c.D(x + 2, y - 2) && c.R(x, y - 1) &&
            !c.R(x + 1, y - 1) && !c.D(x + 1, y - 1)) {
            tx = x + 1, ty = y - 1;  // E1
        } else if (c.D(x - 1, y - 1) && c.D(x, y - 1) && !c.A(x, y - 1) && !c.R(x - 1, y) && !c.D(x, y) &&
                   c.R(x, y + 1)) {
            tx = x, ty = y;  // E2
        } else if (c.R(x, y - 1) && !c.D(x, y - 1) && !c.R(x - 1, y) && c.D(x - 1, y) && c.D(x, y) && !c.G(x, y)) {
            tx = x, ty = y;  // E3
        }
    } else if (c.D(x, y)) {
        if (c.R(x - 1, y - 1) && !c.D(x, y - 1) && c.R(x - 1, y) && !c.A(x - 1, y) && c.D(x + 1, y)) {
            tx = x, ty = y;  // E4
        }
    }
    // The leftmost column is never restored.
    if (tx > 0) c.restore(tx, ty, EdgeSmoothContext<Pixel>::Scale::kThreeQuarters);
}
