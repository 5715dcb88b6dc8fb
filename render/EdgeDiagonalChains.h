#pragma once
// Ramps along one-pixel diagonal chains: where a short vertical or horizontal edge piece
// meets a diagonal run of flagged cells, the run is smoothed with two ramps that start at a
// third and a half, so thin diagonal lines keep their body.

#include "render/BlendRamp.h"
#include "render/EdgeFlagWindow.h"
#include "render/EdgeSmoothContext.h"

// One direction in which a chain may leave the edge piece at (x, y). Offsets are from (x, y).
struct ChainHandler {
    int startX, startY;  // first chain cell
    EdgeFlag chainFlag;  // the flag every chain cell carries
    int moveX, moveY;    // from one chain cell to the next
    EdgeFlag stopFlag;   // the chain stops at a cell where this flag is set ...
    int stopX, stopY;    // ... on the cell itself or on this neighbour of it
    int targetX, targetY;  // the pixel blended first ...
    int colourX, colourY;  // ... toward this source pixel, which the upward chains also restore
    bool restoresColourPixel;
};

// Vertical edge pieces: R(x, y + 1) set, D(x, y) and D(x + 1, y) clear.
constexpr ChainHandler kVerticalEdgeChains[] = {
    {1, -1, FlagDown, 1, -1, FlagAntiDiagonal, -1, 0, 1, 0, 1, -1, true},  // up-right
    {0, 1, FlagDown, -1, 1, FlagAntiDiagonal, -1, 0, 0, 1, 0, 2, false},   // down-left
    {0, -1, FlagDown, -1, -1, FlagDiagonal, -1, 0, 0, 0, 0, -1, true},     // up-left
    {1, 1, FlagDown, 1, 1, FlagDiagonal, -1, 0, 1, 1, 1, 2, false},        // down-right
};

// Horizontal edge pieces: D(x - 1, y) set, R(x - 1, y) and R(x - 1, y + 1) clear.
constexpr ChainHandler kHorizontalEdgeChains[] = {
    {0, 0, FlagRight, 1, -1, FlagAntiDiagonal, 0, -1, 0, 0, 1, 0, true},    // up-right
    {-2, 1, FlagRight, -1, 1, FlagAntiDiagonal, 0, -1, -1, 1, -2, 1, false},  // down-left
    {-2, 0, FlagRight, -1, -1, FlagDiagonal, 0, -1, -1, 0, -2, 0, true},      // up-left
    {0, 1, FlagRight, 1, 1, FlagDiagonal, 0, -1, 0, 1, 1, 1, false},         // down-right
};

// Number of steps along the chain before it stops or runs out of flagged cells; -1 when the
// start cell carries no chain flag.
inline int chainLength(const EdgeFlagMap& flags, const ChainHandler& h, int x, int y) {
    int i = x + h.startX;
    int j = y + h.startY;
    if ((flags.at(i, j) & h.chainFlag) == 0) return -1;
    int n = -1;
    while ((flags.at(i, j) & h.stopFlag) == 0 && (flags.at(i + h.stopX, j + h.stopY) & h.stopFlag) == 0) {
        ++n;
        i += h.moveX;
        j += h.moveY;
        if ((flags.at(i, j) & h.chainFlag) == 0) break;
    }
    return n;
}

// Whether the handler's first chain cell carries the chain flag, the one cheap test most
// handlers fail; runChain needs it.
template <class Pixel>
bool startsChain(const EdgeSmoothContext<Pixel>& c, const ChainHandler& h, int x, int y) {
    return (c.flags.at(x + h.startX, y + h.startY) & h.chainFlag) != 0;
}

// Runs one handler; returns whether it applied (a chain of at least one step).
template <class Pixel>
bool runChain(const EdgeSmoothContext<Pixel>& c, const ChainHandler& h, int x, int y) {
    using Weight = typename EdgeSmoothContext<Pixel>::Weight;
    using Scale = typename EdgeSmoothContext<Pixel>::Scale;

    const int n = chainLength(c.flags, h, x, y);
    if (n < 1) return false;
    const Weight step = rampStep<Weight>(n, c.strength);
    BlendRamp<Weight> blendRamp(Scale::kThird, step, c.curve);
    BlendRamp<Weight> restoreRamp(Scale::kHalf, step, c.curve);
    for (int t = 0;; ++t) {
        const int tx = x + h.targetX + t * h.moveX;
        const int ty = y + h.targetY + t * h.moveY;
        const int cx = x + h.colourX + t * h.moveX;
        const int cy = y + h.colourY + t * h.moveY;
        // Up to strength 100 the ramp ends inside the counted chain; beyond, the image edge ends it.
        if (!c.contains(tx, ty) || !c.contains(cx, cy)) break;
        c.blend(tx, ty, c.in(cx, cy), blendRamp.next());
        if (h.restoresColourPixel) c.restore(cx, cy, restoreRamp.next());
        if (blendRamp.done()) break;
    }
    return true;
}

// False when no chain can leave the edge piece: the piece is not there, or no handler's first
// cell carries its chain flag (the handlers above, in the window's terms).
inline bool verticalEdgeChainsMayApply(const EdgeFlagWindow& n) {
    return n.R(0, 1) && !n.D(0, 0) && !n.D(1, 0) && (n.D(1, -1) || n.D(0, 1) || n.D(0, -1) || n.D(1, 1));
}
inline bool horizontalEdgeChainsMayApply(const EdgeFlagWindow& n) {
    return n.D(-1, 0) && !n.R(-1, 0) && !n.R(-1, 1) && (n.R(0, 0) || n.R(-2, 1) || n.R(-2, 0) || n.R(0, 1));
}

// After the horizontal step of R(x, y). Returns whether any chain applied.
template <class Pixel>
bool verticalEdgeChains(const EdgeSmoothContext<Pixel>& c, int x, int y) {
    if (!c.R(x, y + 1) || c.D(x, y) || c.D(x + 1, y)) return false;
    bool applied = false;
    for (const ChainHandler& h : kVerticalEdgeChains) applied |= startsChain(c, h, x, y) && runChain(c, h, x, y);
    return applied;
}

// After the vertical step of D(x, y).
template <class Pixel>
void horizontalEdgeChains(const EdgeSmoothContext<Pixel>& c, int x, int y) {
    if (!c.D(x - 1, y) || c.R(x - 1, y) || c.R(x - 1, y + 1)) return;
    for (const ChainHandler& h : kHorizontalEdgeChains) {
        if (startsChain(c, h, x, y)) runChain(c, h, x, y);
    }
}
