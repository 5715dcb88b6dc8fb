// The keep-division box pass of 16-bit bands eight columns at a time (ColumnRunEights, AVX2)
// against the same pass a pixel at a time (sweepColumnRunsByLanes), which DifferentialBlurTest
// holds against the first blur: the same bytes in every band of a table of frames, reaches and
// selections, with channel values over the whole 16-bit range.
#include "render/BoxColumnSweep.h"
#include "render/ColumnRunEights.h"
#include "render/QuotientTable.h"
#include "tests/render/BlurTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

struct SweepCase {
    const char* what;
    A_long width, height;
    BoxWindowSet kernels;  // alpha, red, green, blue: the window reaches kernels - 1 rows either way
};

// Windows of one pixel (reach 0) copy; up to 63 values divide by float reciprocals, longer ones
// by double; reaches past the runs and past the frame; bands of one and of odd widths.
const SweepCase kCases[] = {
    {"the key frame's defaults", 45, 70, {16, 1, 6, 16}},
    {"one row", 37, 1, {16, 1, 6, 16}},
    {"two rows", 18, 2, {2, 3, 1, 2}},
    {"one column", 1, 40, {4, 1, 2, 9}},
    {"every window one pixel", 21, 30, {1, 1, 1, 1}},
    {"reach one everywhere", 34, 41, {2, 2, 2, 2}},
    {"four reaches", 23, 60, {5, 2, 9, 3}},
    {"windows of 63", 30, 140, {32, 32, 1, 32}},
    {"windows of 65", 30, 140, {33, 1, 33, 2}},
    {"reaches past the frame", 19, 90, {200, 91, 3, 1}},
};

enum class MaskKind { Everything, Specks, MostlySelected, ColumnRuns };

SelectionMask maskOf(MaskKind kind, PF_InData* inData, std::int32_t width, std::int32_t height,
                     std::mt19937& random) {
    switch (kind) {
        case MaskKind::Everything:
            return makeMask(inData, width, height, [](std::int32_t, std::int32_t) { return true; });
        case MaskKind::Specks:
        case MaskKind::MostlySelected: {
            std::bernoulli_distribution selected(kind == MaskKind::Specks ? 0.15 : 0.8);
            return makeMask(inData, width, height, [&](std::int32_t, std::int32_t) { return selected(random); });
        }
        case MaskKind::ColumnRuns: break;
    }
    // Down each column, runs of 1 to 25 selected pixels between gaps of 1 to 4.
    std::vector<bool> bits(static_cast<std::size_t>(width) * height);
    for (std::int32_t x = 0; x < width; ++x) {
        bool state = random() % 2 == 0;
        for (std::int32_t y = 0; y < height;) {
            const std::int32_t length = state ? 1 + random() % 25 : 1 + random() % 4;
            for (std::int32_t k = 0; k < length && y < height; ++k, ++y) {
                bits[static_cast<std::size_t>(y) * width + x] = state;
            }
            state = !state;
        }
    }
    return makeMask(inData, width, height,
                    [&](std::int32_t x, std::int32_t y) { return bits[static_cast<std::size_t>(y) * width + x]; });
}

// Any 16-bit values, a quarter of the pixels transparent.
void fillAnyValues(TestWorld<PF_Pixel16>& world, std::mt19937& random) {
    std::uniform_int_distribution<int> anyValue(0, 65535);
    for (A_long y = 0; y < world.height(); ++y) {
        for (A_long x = 0; x < world.width(); ++x) {
            for (int c = 0; c < 4; ++c) setChannel(world.at(x, y), c, static_cast<A_u_short>(anyValue(random)));
            if (random() % 4 == 0) setChannel(world.at(x, y), 0, A_u_short(0));
        }
    }
}

// Bands of the area's columns: all of it, odd pieces, eight and nine columns (whole eights and
// a column past them), single columns at either end and inside.
std::vector<std::pair<std::int32_t, std::int32_t>> bandsOf(std::int32_t width) {
    std::vector<std::pair<std::int32_t, std::int32_t>> bands = {{0, width}, {0, 1}, {width - 1, 1}, {width / 2, 1}};
    if (width > 2) bands.push_back({1, width - 2});
    if (width > 4) bands.push_back({3, width - 4});
    if (width >= 10) bands.insert(bands.end(), {{2, 8}, {width - 9, 9}});
    return bands;
}

TEST(ColumnRunSweepTest, EightsGiveThePixelAtATimeBytes) {
    vmhost::Host host(hostWithWorkers(1));
    std::mt19937 random(5);
    for (const SweepCase& sweepCase : kCases) {
        // The area one pixel in from the world's left and two from its top.
        const PF_LRect area = {1, 2, 1 + sweepCase.width, 2 + sweepCase.height};
        BlurScene<PF_Pixel16> scene(sweepCase.width + 3, sweepCase.height + 3, area);
        std::int32_t longestWindow = sweepCase.height;
        for (std::int32_t kernel : sweepCase.kernels) longestWindow = std::max(longestWindow, 2 * kernel - 1);
        const QuotientTable quotients(static_cast<std::uint32_t>(longestWindow));
        for (MaskKind kind : {MaskKind::Everything, MaskKind::Specks, MaskKind::MostlySelected, MaskKind::ColumnRuns}) {
            fillAnyValues(scene.source, random);
            scene.mask = maskOf(kind, &host.inData(), sweepCase.width, sweepCase.height, random);
            // Values the pass must leave where nothing counts, unlike the source's.
            fillAnyValues(scene.destination, random);
            BlurTask<BoxWindowSet> task;
            task.source = scene.source.world();
            task.area = area;
            task.mask = scene.mask;
            task.kernels = sweepCase.kernels;
            task.keepDivision = true;
            task.quotients = &quotients;
            for (const auto& [first, count] : bandsOf(sweepCase.width)) {
                TestWorld<PF_Pixel16> expected = scene.destination, actual = scene.destination;
                task.destination = expected.world();
                sweepColumnRunsByLanes<PF_Pixel16>(task, first, count);
                // The eights, then the columns past them a pixel at a time, as the pass takes them.
                task.destination = actual.world();
                const std::int32_t eights = sweepColumnRunsByEights(task, first, count);
                if (eights == 0 && count >= 8) GTEST_SKIP() << "no AVX2 on this processor";
                sweepColumnRunsByLanes<PF_Pixel16>(task, first + eights, count - eights);
                ASSERT_TRUE(actual.sameBytes(expected))
                    << sweepCase.what << ", mask " << static_cast<int>(kind) << ", columns " << first << " + " << count;
            }
        }
    }
}

}  // namespace
