#pragma once
// Half restores at notches: the ramps of two neighbouring steps would round off the one pixel
// that makes a notch or a one-pixel tooth, so that pixel is moved halfway back to its source
// value. Each group restores at most one pixel: that of its first matching pattern.

#include "render/EdgeFlagWindow.h"
#include "render/EdgeSmoothContext.h"

// The tests of each group's patterns that lie inside the window: false when no pattern can match.
inline bool notchRestoreAMayApply(const EdgeFlagWindow& n) {
    return n.D(0, -1) && ((!n.G(0, 0) && n.D(-1, -1) && !n.R(-1, 0) && n.D(-1, 0) && n.R(-2, 0) && n.R(-2, -1) &&
                           n.D(-2, -1) && !n.G(-2, -1)) ||
                          (n.R(-1, 0) && n.R(0, -1) && !n.A(0, -1) && n.R(1, -1) && n.D(1, -1)) ||
                          (n.R(-1, 0) && n.R(-1, -1) && n.D(-1, -1) && !n.G(-1, -1) && n.R(-2, -1)));
}
inline bool notchRestoreBMayApply(const EdgeFlagWindow& n) {
    return (n.D(0, -1) && !n.A(0, -1) && n.R(0, -1) && n.D(1, -1) && n.D(-1, -1) && n.R(-2, 0) && !n.R(-1, 0) &&
            !n.A(-2, 0)) ||
           (n.R(-1, 0) && n.D(0, -1) && n.R(-1, -1) && n.D(-1, -1) && !n.G(-1, -1) && n.D(-2, -1) &&
            !n.R(-2, -1)) ||
           (n.R(-1, 0) && n.R(-1, -1) && !n.D(0, -1) && n.R(0, -1) && !n.G(0, 0));
}
inline bool notchRestoreCMayApply(const EdgeFlagWindow& n) {
    return (n.R(0, -1) && n.D(0, -1) && n.D(1, -1) && !n.R(1, -1) && !n.A(0, -1)) ||
           (n.R(0, -1) && n.R(-1, -1) && !n.D(0, -1) && !n.A(-1, 0));
}

// After the horizontal step of R(x, y).
template <class Pixel>
void notchRestoreA(const EdgeSmoothContext<Pixel>& c, int x, int y) {
    const auto half = EdgeSmoothContext<Pixel>::Scale::kHalf;
    if (c.D(x, y - 1) && !c.G(x, y) && c.D(x - 1, y - 1) && !c.R(x - 1, y) && c.D(x - 1, y) && c.R(x - 2, y) &&
        c.R(x - 2, y - 1) && c.D(x - 2, y - 1) && !c.G(x - 2, y - 1) && c.D(x - 2, y - 2)) {
        c.restore(x - 1, y, half);  // A1
    } else if (c.R(x - 1, y) && c.R(x, y - 1) && c.D(x, y - 1) && !c.A(x, y - 1) && c.R(x + 1, y - 1) &&
               c.D(x + 1, y - 1) && c.R(x, y - 2) && !c.D(x + 1, y - 2) && c.R(x + 1, y - 3) && !c.A(x + 1, y - 3)) {
        c.restore(x + 1, y - 1, half);  // A2
    } else if (c.R(x - 1, y) && c.D(x, y - 1) && c.R(x - 1, y - 1) && c.D(x - 1, y - 1) && !c.G(x - 1, y - 1) &&
               c.R(x - 2, y - 1) && c.R(x - 1, y - 2) && !c.D(x - 1, y - 2) && c.D(x - 1, y - 3) &&
               !c.G(x - 2, y - 3)) {
        c.restore(x - 1, y - 1, half);  // A3
    }
}

// After the vertical step of D(x, y) and its chains.
template <class Pixel>
void notchRestoreB(const EdgeSmoothContext<Pixel>& c, int x, int y) {
    const auto half = EdgeSmoothContext<Pixel>::Scale::kHalf;
    if (c.D(x, y - 1) && !c.A(x, y - 1) && c.R(x, y - 1) && c.D(x + 1, y - 1) && c.D(x + 1, y - 2) &&
        c.D(x - 1, y - 1) && c.R(x - 2, y) && !c.R(x - 1, y) && !c.A(x - 2, y)) {
        c.restore(x, y, half);  // B1
    } else if (c.R(x - 1, y) && c.D(x, y - 1) && c.R(x - 1, y - 1) && c.D(x - 1, y - 1) && !c.G(x - 1, y - 1) &&
               c.D(x - 1, y - 2) && c.D(x - 2, y - 1) && c.R(x - 3, y - 1) && !c.R(x - 2, y - 1) &&
               !c.G(x - 3, y - 2)) {
        c.restore(x - 1, y - 1, half);  // B2
    } else if (c.R(x - 1, y) && c.R(x - 1, y - 1) && !c.D(x, y - 1) && c.R(x, y - 1) && c.D(x, y - 2) &&
               c.R(x - 1, y - 2) && c.D(x - 1, y - 2) && !c.G(x - 1, y - 2) && c.R(x - 2, y - 2) && !c.G(x, y)) {
        c.restore(x, y - 1, half);  // B3
    }
}

// Right after group B, for a pixel with both R(x, y) and D(x, y).
template <class Pixel>
void notchRestoreC(const EdgeSmoothContext<Pixel>& c, int x, int y) {
    const auto half = EdgeSmoothContext<Pixel>::Scale::kHalf;
    if (c.R(x, y - 1) && c.D(x, y - 1) && c.D(x + 1, y - 1) && c.D(x + 1, y - 2) && c.R(x + 2, y - 1) &&
        c.D(x + 2, y - 1) && !c.R(x + 1, y - 1) && !c.A(x + 2, y - 2) && !c.A(x, y - 1)) {
        c.restore(x + 1, y - 1, half);  // C1
    } else if (c.R(x, y - 1) && c.R(x, y - 2) && c.R(x - 1, y - 1) && c.D(x, y - 2) && c.R(x + 1, y - 2) &&
               c.D(x + 1, y - 2) && !c.D(x, y - 1) && !c.A(x, y - 2) && !c.A(x - 1, y)) {
        c.restore(x, y - 1, half);  // C2
    }
}
