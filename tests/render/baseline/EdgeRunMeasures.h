#pragma once
// Reading shapes out of the edge flag map: how long the staircase step or one-pixel line
// beside a flagged edge runs, whether a step belongs to a lone 2 x 2 block, and how strongly
// a step of a given shape is smoothed. All of them depend on the flags alone.

#include "tests/render/baseline/EdgeFlagMap.h"

#include <cstdint>

namespace baseline {

enum class StepSide { Left, Right, Up, Down };

// Length of the staircase step beside the edge R(x, y) (left, right) or D(x, y) (up, down);
// 0 when there is none.
int stepRunLeft(const EdgeFlagMap& flags, int x, int y);
int stepRunRight(const EdgeFlagMap& flags, int x, int y);
int stepRunUp(const EdgeFlagMap& flags, int x, int y);
int stepRunDown(const EdgeFlagMap& flags, int x, int y);

// Length of the one-pixel line that ends at the edge R(x, y) or D(x, y), compressed above 5:
// n becomes 5 + (n - 5) / 2. 0 when the edge is no line end.
int lineEndLeft(const EdgeFlagMap& flags, int x, int y);
int lineEndRight(const EdgeFlagMap& flags, int x, int y);
int lineEndUp(const EdgeFlagMap& flags, int x, int y);
int lineEndDown(const EdgeFlagMap& flags, int x, int y);

// Whether the one-pixel step at (x, y) on that side is an edge of a 2 x 2 block of alike
// pixels that differs from all eight pixels along its edges.
bool isIsolatedBlock(const EdgeFlagMap& flags, StepSide side, int x, int y);

// The share (percent, may be 0 or negative) of the ramp over a step of run a whose far end
// measures b: steps of lone blocks keep sharp corners, long even staircases are smoothed most.
std::int64_t shapePercent(const EdgeFlagMap& flags, std::int64_t strength, int a, int b, StepSide side, int x,
                          int y);

}  // namespace baseline
