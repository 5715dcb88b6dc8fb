#pragma once
// The faint blends of the edge smoothing pass: the two pixels of a lone vertical edge piece
// take a tenth of each other, and pixels beside a straight edge piece take a sixth of it.

#include "render/EdgeFlagWindow.h"
#include "render/EdgeSmoothContext.h"
#include "render/EdgeStaircaseSteps.h"

// False when touchEdge passes over the edge R(x, y): its one test, inside the window.
inline bool touchMayApply(const EdgeFlagWindow& n) {
    return !((n.A(0, 0) || n.A(0, -1)) && (n.G(0, 0) || n.G(0, -1)));
}

// The two pixels of the edge R(x, y) take a share of each other, when no ramp ran on either side.
template <class Pixel>
void touchBothSides(const EdgeSmoothContext<Pixel>& c, int x, int y) {
    c.blend(x + 1, y, c.in(x, y), c.touchWeight);
    c.blend(x, y, c.in(x + 1, y), c.touchWeight);
}

// After the horizontal step of R(x, y) when no vertical-edge chain applied; a side whose
// ramp ran is left alone.
template <class Pixel>
void touchEdge(const EdgeSmoothContext<Pixel>& c, int x, int y, const HorizontalStepOutcome& step) {
    if ((c.A(x, y) || c.A(x, y - 1)) && (c.G(x, y) || c.G(x, y - 1))) return;
    if (!step.rightDone) c.blend(x + 1, y, c.in(x, y), c.touchWeight);
    if (!step.leftDone) c.blend(x, y, c.in(x + 1, y), c.touchWeight);
}

// False when none of bleedSides' four edge pieces is there.
inline bool bleedMayApply(const EdgeFlagWindow& n) {
    return (n.R(0, 0) && ((n.D(0, -1) && n.D(1, -1) && !n.R(0, -1)) || (n.D(0, 0) && n.D(1, 0) && !n.R(0, 1)))) ||
           (n.D(0, 0) && ((n.R(-1, 0) && n.R(-1, 1) && !n.D(-1, 0)) || (n.R(0, 0) && n.R(0, 1) && !n.D(1, 0))));
}

// Always the last step for a pixel.
template <class Pixel>
void bleedSides(const EdgeSmoothContext<Pixel>& c, int x, int y) {
    const auto sixth = EdgeSmoothContext<Pixel>::Scale::kSixth;
    if (c.R(x, y)) {
        if (c.D(x, y - 1) && c.D(x + 1, y - 1) && !c.R(x, y - 1)) {
            if (!c.G(x - 1, y - 1)) c.blend(x, y - 1, c.in(x, y), sixth);
            if (!c.A(x + 1, y - 1)) c.blend(x + 1, y - 1, c.in(x + 1, y), sixth);
        }
        if (c.D(x, y) && c.D(x + 1, y) && !c.R(x, y + 1)) {
            if (!c.A(x - 1, y)) c.blend(x, y + 1, c.in(x, y), sixth);
            if (!c.G(x + 1, y)) c.blend(x + 1, y + 1, c.in(x + 1, y), sixth);
        }
    }
    if (c.D(x, y)) {
        if (c.R(x - 1, y) && c.R(x - 1, y + 1) && !c.D(x - 1, y)) {
            if (!c.G(x - 1, y - 1)) c.blend(x - 1, y, c.in(x, y), sixth);
            if (!c.A(x - 1, y + 1)) c.blend(x - 1, y + 1, c.in(x, y + 1), sixth);
        }
        if (c.R(x, y) && c.R(x, y + 1) && !c.D(x + 1, y)) {
            if (!c.A(x, y - 1)) c.blend(x + 1, y, c.in(x, y), sixth);
            if (!c.G(x, y + 1)) c.blend(x + 1, y + 1, c.in(x, y + 1), sixth);
        }
    }
}
