#pragma once
// The staircase ramps of the edge smoothing pass: beside a flagged edge, a step of a
// staircase is blended across with a linearly falling ramp, and the open end of a one-pixel
// line fades out. Each side of the edge gets its own walk.

#include "render/BlendRamp.h"
#include "render/EdgeFlagWindow.h"
#include "render/EdgeRunMeasures.h"
#include "render/EdgeSmoothContext.h"

struct HorizontalStepOutcome {
    bool leftDone = false;   // a ramp ran on the left side
    bool rightDone = false;  // a ramp ran on the right side
    bool openRampRan = false;
};

// False when that side of the edge R(x, y) or D(x, y) has neither a step run nor a line end:
// the window's part of the first cell of the two lines a step run counts (a line end's
// tests include those of the first line), and the side's own edge must be open.
inline bool stepLeftMayApply(const EdgeFlagWindow& n) {
    return !n.R(-1, 0) && ((!n.G(0, -1) && n.D(-1, -1) && !n.R(-1, -1)) || (!n.A(0, 0) && n.D(-1, 0) && !n.R(-1, 1)));
}
inline bool stepRightMayApply(const EdgeFlagWindow& n) {
    return !n.R(1, 0) && ((!n.A(0, -1) && n.D(1, -1) && !n.R(1, -1)) || (!n.G(0, 0) && n.D(1, 0) && !n.R(1, 1)));
}
inline bool stepUpMayApply(const EdgeFlagWindow& n) {
    return !n.D(0, -1) && ((!n.G(-1, 0) && n.R(-1, -1) && !n.D(-1, -1)) || (!n.A(0, 0) && n.R(0, -1) && !n.D(1, -1)));
}
inline bool stepDownMayApply(const EdgeFlagWindow& n) {
    return !n.D(0, 1) && ((!n.A(-1, 0) && n.R(-1, 1) && !n.D(-1, 1)) || (!n.G(0, 0) && n.R(0, 1) && !n.D(1, 1)));
}

// Blends the pixels (x, y), (x + dx, y + dy), ... with the ramp's weights toward one colour,
// until the ramp is done or the walk leaves the image.
template <class Pixel>
void walkRamp(const EdgeSmoothContext<Pixel>& c, BlendRamp<typename EdgeSmoothContext<Pixel>::Weight> ramp, int x,
              int y, int dx, int dy, Pixel colour) {
    for (; c.contains(x, y); x += dx, y += dy) {
        c.blend(x, y, colour, ramp.next());
        if (ramp.done()) return;
    }
}

// For R(x, y): the left side walks leftward from (x, y) in the colour of (x + 1, y), the
// right side rightward from (x + 1, y) in the colour of (x, y). A side is tried when its
// MayApply test above holds (tryLeft, tryRight).
template <class Pixel>
HorizontalStepOutcome horizontalStep(const EdgeSmoothContext<Pixel>& c, int x, int y, bool tryLeft, bool tryRight) {
    using Ramp = BlendRamp<typename EdgeSmoothContext<Pixel>::Weight>;
    HorizontalStepOutcome outcome;

    if (!tryLeft) {
        // nothing on the left
    } else if (const int a = stepRunLeft(c.flags, x, y); a > 0) {
        std::int64_t k = c.strength;
        if (x - a - 1 >= 0) {
            if (const int b = stepRunRight(c.flags, x - a - 1, y); b != 0) {
                k = shapePercent(c.flags, c.strength, a, b, StepSide::Left, x, y);
            }
        }
        walkRamp(c, Ramp::stepRamp(a, k, c.curve), x, y, -1, 0, c.in(x + 1, y));
        outcome.leftDone = true;
    } else if (const int s = lineEndLeft(c.flags, x, y); s > 0) {
        walkRamp(c, Ramp::openRamp(s, c.strength, c.curveThird), x, y, -1, 0, c.in(x + 1, y));
        outcome.leftDone = outcome.openRampRan = true;
    }

    if (!tryRight) {
        // nothing on the right
    } else if (const int e = stepRunRight(c.flags, x, y); e > 0) {
        std::int64_t k = c.strength;
        if (x + 1 + e < c.width) {
            if (const int g = stepRunLeft(c.flags, x + 1 + e, y); g != 0) {
                k = shapePercent(c.flags, c.strength, e, g, StepSide::Right, x, y);
            }
        }
        walkRamp(c, Ramp::stepRamp(e, k, c.curve), x + 1, y, 1, 0, c.in(x, y));
        outcome.rightDone = true;
    } else if (const int s = lineEndRight(c.flags, x, y); s > 0) {
        walkRamp(c, Ramp::openRamp(s, c.strength, c.curveThird), x + 1, y, 1, 0, c.in(x, y));
        outcome.rightDone = outcome.openRampRan = true;
    }
    return outcome;
}

// For D(x, y): the upper side walks upward from (x, y) in the colour of (x, y + 1), the lower
// side downward from (x, y + 1) in the colour of (x, y); each when tried (tryUp, tryDown).
// Returns whether an open ramp ran.
template <class Pixel>
bool verticalStep(const EdgeSmoothContext<Pixel>& c, int x, int y, bool tryUp, bool tryDown) {
    using Ramp = BlendRamp<typename EdgeSmoothContext<Pixel>::Weight>;
    bool openRampRan = false;

    if (!tryUp) {
        // nothing above
    } else if (const int a = stepRunUp(c.flags, x, y); a > 0) {
        std::int64_t k = c.strength;
        if (y - a - 1 >= 0) {
            if (const int b = stepRunDown(c.flags, x, y - a - 1); b != 0) {
                k = shapePercent(c.flags, c.strength, a, b, StepSide::Up, x, y);
            }
        }
        walkRamp(c, Ramp::stepRamp(a, k, c.curve), x, y, 0, -1, c.in(x, y + 1));
    } else if (const int s = lineEndUp(c.flags, x, y); s > 0) {
        walkRamp(c, Ramp::openRamp(s, c.strength, c.curveThird), x, y, 0, -1, c.in(x, y + 1));
        openRampRan = true;
    }

    if (!tryDown) {
        // nothing below
    } else if (const int a = stepRunDown(c.flags, x, y); a > 0) {
        std::int64_t k = c.strength;
        if (y + 1 + a < c.height) {
            if (const int b = stepRunUp(c.flags, x, y + 1 + a); b != 0) {
                k = shapePercent(c.flags, c.strength, a, b, StepSide::Down, x, y);
            }
        }
        walkRamp(c, Ramp::stepRamp(a, k, c.curve), x, y + 1, 0, 1, c.in(x, y));
    } else if (const int s = lineEndDown(c.flags, x, y); s > 0) {
        walkRamp(c, Ramp::openRamp(s, c.strength, c.curveThird), x, y + 1, 0, 1, c.in(x, y));
        openRampRan = true;
    }
    return openRampRan;
}
