#include "tests/render/baseline/EdgeRunMeasures.h"

#include <algorithm>

namespace baseline {

namespace {

struct LineScan {
    int count = 0;
    bool closed = false;  // ended by its closing flag rather than by a cell that failed
};

// Counts the cells start, start + step, ... while `counts` holds; after a counted cell the
// line closes when `closes` holds. The zero border ends every scan at the image edge.
template <class Counts, class Closes>
LineScan scanLine(int start, int step, Counts counts, Closes closes) {
    LineScan scan;
    for (int i = start; counts(i); i += step) {
        ++scan.count;
        if (closes(i)) {
            scan.closed = true;
            break;
        }
    }
    return scan;
}

// The rule the four two-sided measures share. A step of 3 or more needs its confirmation
// flag, or it is not trusted; a closed first line that is trusted is the answer, otherwise
// the longer of the two lines is.
template <class ScanSecond>
int pickStepRun(LineScan first, bool firstConfirmed, bool stopAfterFirst, bool secondAllowed,
                ScanSecond scanSecond, bool secondConfirmed) {
    int count = first.count;
    if (count >= 3 && !firstConfirmed) {
        count = 0;
    } else if (first.closed) {
        return count;
    }
    if (stopAfterFirst || !secondAllowed) return count;
    int second = scanSecond();
    if (second >= 3 && !secondConfirmed) second = 0;
    return std::max(count, second);
}

int compressLineLength(int n) { return n > 5 ? 5 + ((n - 5) >> 1) : n; }

}  // namespace

int stepRunLeft(const EdgeFlagMap& f, int x, int y) {
    LineScan first;
    if (!f.G(x, y - 1) && !f.R(x - 1, y)) {
        first = scanLine(
            x - 1, -1, [&](int i) { return f.D(i, y - 1) && !f.R(i, y - 1); }, [&](int i) { return f.R(i - 1, y); });
    }
    auto second = [&] {
        return scanLine(
                   x - 1, -1, [&](int i) { return f.D(i, y) && !f.R(i, y + 1); }, [&](int i) { return f.R(i - 1, y); })
            .count;
    };
    return pickStepRun(first, f.D(x + 1, y), f.A(x, y), !f.R(x - 1, y), second, f.D(x + 1, y - 1));
}

int stepRunRight(const EdgeFlagMap& f, int x, int y) {
    LineScan first;
    if (!f.A(x, y - 1) && !f.R(x + 1, y)) {
        first = scanLine(
            x + 1, 1, [&](int i) { return f.D(i, y - 1) && !f.R(i, y - 1); }, [&](int i) { return f.R(i + 1, y); });
    }
    auto second = [&] {
        return scanLine(
                   x + 1, 1, [&](int i) { return f.D(i, y) && !f.R(i, y + 1); }, [&](int i) { return f.R(i + 1, y); })
            .count;
    };
    return pickStepRun(first, f.D(x, y), f.G(x, y), !f.R(x + 1, y), second, f.D(x, y - 1));
}

int stepRunUp(const EdgeFlagMap& f, int x, int y) {
    if (y == 0) return 0;
    LineScan first;
    if (!f.G(x - 1, y) && !f.D(x, y - 1)) {
        first = scanLine(
            y - 1, -1, [&](int j) { return f.R(x - 1, j) && !f.D(x - 1, j); }, [&](int j) { return f.D(x, j - 1); });
    }
    auto second = [&] {
        return scanLine(
                   y - 1, -1, [&](int j) { return f.R(x, j) && !f.D(x + 1, j); }, [&](int j) { return f.D(x, j - 1); })
            .count;
    };
    return pickStepRun(first, f.R(x, y + 1), f.A(x, y), !f.D(x, y - 1), second, f.R(x - 1, y + 1));
}

int stepRunDown(const EdgeFlagMap& f, int x, int y) {
    LineScan first;
    if (!f.A(x - 1, y) && !f.D(x, y + 1)) {
        first = scanLine(
            y + 1, 1, [&](int j) { return f.R(x - 1, j) && !f.D(x - 1, j); }, [&](int j) { return f.D(x, j + 1); });
    }
    auto second = [&] {
        return scanLine(
                   y + 1, 1, [&](int j) { return f.R(x, j) && !f.D(x + 1, j); }, [&](int j) { return f.D(x, j + 1); })
            .count;
    };
    return pickStepRun(first, f.R(x, y), f.G(x, y), !f.D(x, y + 1), second, f.R(x - 1, y));
}

// A line end is a pixel of a one-pixel line, unlike the pixels above and below it (or to
// either side), with nothing else reaching into the end.
int lineEndLeft(const EdgeFlagMap& f, int x, int y) {
    if (f.G(x, y - 1) || f.D(x + 1, y - 1) || f.R(x + 1, y) || f.A(x, y) || f.D(x + 1, y) || f.R(x - 1, y)) return 0;
    auto lineCell = [&](int i) { return f.D(i, y - 1) && !f.R(i, y - 1) && !f.R(i, y + 1) && f.D(i, y); };
    return compressLineLength(scanLine(x - 1, -1, lineCell, [&](int i) { return f.R(i - 1, y); }).count);
}

int lineEndRight(const EdgeFlagMap& f, int x, int y) {
    if (f.D(x, y - 1) || f.A(x, y - 1) || f.R(x - 1, y) || f.D(x, y) || f.G(x, y) || f.R(x + 1, y)) return 0;
    auto lineCell = [&](int i) { return f.D(i, y - 1) && !f.R(i, y - 1) && !f.R(i, y + 1) && f.D(i, y); };
    return compressLineLength(scanLine(x + 1, 1, lineCell, [&](int i) { return f.R(i + 1, y); }).count);
}

int lineEndUp(const EdgeFlagMap& f, int x, int y) {
    if (f.G(x - 1, y) || f.A(x, y) || f.R(x - 1, y + 1) || f.R(x, y + 1) || f.D(x, y + 1) || f.D(x, y - 1)) return 0;
    auto lineCell = [&](int j) { return f.R(x - 1, j) && !f.D(x - 1, j) && !f.D(x + 1, j) && f.R(x, j); };
    return compressLineLength(scanLine(y - 1, -1, lineCell, [&](int j) { return f.D(x, j - 1); }).count);
}

int lineEndDown(const EdgeFlagMap& f, int x, int y) {
    if (f.D(x, y - 1) || f.R(x - 1, y) || f.R(x, y) || f.A(x - 1, y) || f.G(x, y) || f.D(x, y + 1)) return 0;
    auto lineCell = [&](int j) { return f.R(x - 1, j) && !f.D(x - 1, j) && !f.D(x + 1, j) && f.R(x, j); };
    return compressLineLength(scanLine(y + 1, 1, lineCell, [&](int j) { return f.D(x, j + 1); }).count);
}

bool isIsolatedBlock(const EdgeFlagMap& f, StepSide side, int x, int y) {
    // First the block's top-left pixel (bx, by): the step's own pixel column or row tells
    // which of the two candidate blocks it can belong to.
    int bx = 0;
    int by = 0;
    switch (side) {
    case StepSide::Left:
    case StepSide::Right: {
        const int column = side == StepSide::Left ? x : x + 1;
        if (side == StepSide::Right && x >= f.width() - 1) return false;
        const bool below = f.D(column, y);
        const bool above = y > 0 && f.D(column, y - 1);
        if (below == above) return false;
        bx = side == StepSide::Left ? x - 1 : x + 1;
        by = below ? y - 1 : y;
        break;
    }
    case StepSide::Up:
    case StepSide::Down: {
        if (side == StepSide::Down && y >= f.height() - 1) return false;
        const int row = side == StepSide::Up ? y : y + 1;
        const bool right = f.R(x, row);
        const bool left = x > 0 && f.R(x - 1, row);
        if (right == left) return false;
        bx = right ? x - 1 : x;
        by = side == StepSide::Up ? y - 1 : y + 1;
        break;
    }
    }
    // Tested in this order: near the top edge the first tests meet the zero row above the
    // image before any test reaches further up than the map goes.
    return f.R(bx - 1, by) && f.R(bx - 1, by + 1) && f.R(bx + 1, by) && f.R(bx + 1, by + 1) && f.D(bx, by - 1) &&
           f.D(bx + 1, by - 1) && f.D(bx, by + 1) && f.D(bx + 1, by + 1) && !f.R(bx, by) && !f.R(bx, by + 1) &&
           !f.D(bx, by) && !f.D(bx + 1, by);
}

std::int64_t shapePercent(const EdgeFlagMap& f, std::int64_t strength, int a, int b, StepSide side, int x, int y) {
    if (a == 1 && b == 1) {
        if (isIsolatedBlock(f, side, x, y)) return strength * 10 / 100;
        const bool horizontal = side == StepSide::Left || side == StepSide::Right;
        const bool nextToBlock = horizontal
                                     ? isIsolatedBlock(f, side, x, y + 1) || isIsolatedBlock(f, side, x, y - 1)
                                     : isIsolatedBlock(f, side, x + 1, y) || isIsolatedBlock(f, side, x - 1, y);
        if (nextToBlock) return strength * 36 / 100;
    }
    return (std::int64_t(2 * a - b) * strength * 100) / (140 * std::int64_t(a));
}

}  // namespace baseline
