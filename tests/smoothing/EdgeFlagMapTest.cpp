// The map of differences: its place in a host world, and the fast row builders against the
// plain comparisons. Which flags a picture gives is held to the first pass's own map by the
// differential smoothing test.
#include "WorldSuiteFixture.h"
#include "render/EdgeFlagBuilder.h"
#include "render/EdgeFlagMap.h"
#include "render/EdgeFlagRow8.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

class EdgeFlagMapTest : public WorldSuiteFixture {};

TEST_F(EdgeFlagMapTest, OneClearedByteAPixelInsideAZeroBorder) {
    for (int width : {1, 2, 3, 4, 7, 11}) {
        const int height = 3;
        const int stride = (width + 5 + 3) / 4 * 4;
        {
            EdgeFlagMap map;
            ASSERT_EQ(PF_Err_NONE, map.create(*worldSuite, effectRef(), width, height));
            ASSERT_EQ(stride, map.stride());
            EXPECT_EQ(stride / 4, map.world().width) << "four flag bytes to each 8-bit pixel";
            EXPECT_EQ(height + 2, map.world().height);
            EXPECT_EQ(PF_PixelFormat_ARGB32, worlds().formatOf(map.world()));
            EXPECT_GT(map.world().rowbytes, stride) << "the host pads its rows; the map keeps its own stride";
            // The host fills new worlds with a non-zero byte.
            for (int i = 0; i < (height + 2) * stride; ++i) ASSERT_EQ(0, map.bytes()[i]) << "byte " << i;

            map.set(0, 0, FlagRight);
            map.set(width - 1, height - 1, FlagDown);
            EXPECT_EQ(FlagRight, map.bytes()[stride + 4]);
            EXPECT_EQ(FlagDown, map.bytes()[height * stride + 4 + width - 1]);
            // Reads beside the image meet the border.
            for (int y = -1; y <= height; ++y) {
                for (int x : {-3, -1, width}) EXPECT_EQ(0, map.at(x, y)) << x << ", " << y;
                if (y < height) {
                    EXPECT_EQ(0, map.at(width + 1, y)) << y;
                }
            }
        }
        {
            // Cleared later in bands, as the flag build does: every byte, however the rows are
            // cut (empty bands included), and no band clears beyond its own rows and border.
            EdgeFlagMap map;
            ASSERT_EQ(PF_Err_NONE, map.create(*worldSuite, effectRef(), width, height, false));
            const std::uint8_t poison = map.bytes()[0];
            ASSERT_NE(0, poison) << "the host fills new worlds with a non-zero byte";
            map.clearRows(1, 1);
            map.clearRows(1, 2);
            for (int i = 0; i < (height + 2) * stride; ++i) {
                const bool inSecondRow = i >= 2 * stride && i < 3 * stride;
                ASSERT_EQ(inSecondRow ? 0 : poison, map.bytes()[i]) << "byte " << i;
            }
            map.clearRows(0, 1);
            map.clearRows(2, height);
            map.clearRows(height, height);
            for (int i = 0; i < (height + 2) * stride; ++i) ASSERT_EQ(0, map.bytes()[i]) << "byte " << i;
        }
        EXPECT_EQ(0, worlds().outstanding()) << "the map gives its world back";
    }

    worlds().failNthCreation(1);
    {
        EdgeFlagMap refused;
        EXPECT_EQ(PF_Err_OUT_OF_MEMORY, refused.create(*worldSuite, effectRef(), 4, 4));
    }
    EXPECT_EQ(0, worlds().misuses()) << "a map without a world gives nothing back";
}

TEST_F(EdgeFlagMapTest, EveryEightBitRowBuilderGivesThePlainComparisonsFlags) {
    // Rows of a few colours (flat stretches and edges), near-alike pixels around the threshold,
    // transparent pixels of any colour and gentle climbs, each builder against the comparisons
    // one by one.
    std::mt19937 random(12);
    const auto pick = [&random](int n) { return int(random() % unsigned(n)); };
    const PF_Pixel8 palette[] = {{255, 10, 20, 30}, {255, 200, 40, 90}, {0, 7, 99, 3}, {0, 0, 0, 0}};
    const std::vector<std::pair<const char*, EdgeFlagRow8>> builders = {
        {"by fours", edgeFlagRow8ByFours}, {"this processor's", edgeFlagRow8ForThisProcessor()}};
    for (const std::uint32_t threshold : {0u, 10u, 700u, 0xffffffffu}) {
        for (int trial = 0; trial < 200; ++trial) {
            const int width = 2 + pick(60);
            std::vector<PF_Pixel8> p(std::size_t(width) + 1), q(std::size_t(width) + 1);
            const int run = 1 + pick(12);
            if (trial % 3 == 0) {
                // A climb in steps of 6 with the row below one step ahead: at threshold 10 only
                // the diagonal comparisons differ, so which diagonal bits count is decided by
                // the right and down bits of the edges thrown in, block by block.
                int green = 0;
                for (int x = 0; x <= width + 1; ++x) {
                    green = pick(10) == 0 ? pick(256) : (green + 6) % 256;
                    const PF_Pixel8 pixel{255, 10, A_u_char(green), 30};
                    if (x <= width) p[std::size_t(x)] = pixel;
                    if (x > 0) q[std::size_t(x) - 1] = pixel;
                }
            } else {
                for (int x = 0; x <= width; ++x) {
                    for (auto* rowOf : {&p, &q}) {
                        PF_Pixel8& pixel = (*rowOf)[std::size_t(x)];
                        pixel = x % run == 0 || x == 0 ? palette[pick(4)] : (*rowOf)[std::size_t(x) - 1];
                        if (pick(8) == 0) pixel.green = A_u_char(pixel.green + pick(12));
                        if (pick(16) == 0) pixel.alpha = A_u_char(pick(2) * 255);
                    }
                }
            }
            const int blockEnd = (width - 1) & ~3;
            std::vector<std::uint8_t> expected(std::size_t(blockEnd) + 8, 0);
            std::uint32_t expectedAny = 0;
            for (int x0 = 0; x0 < blockEnd; x0 += 4) {
                const std::uint32_t word =
                    edge_flag_detail::blockWord(&p[std::size_t(x0)], &q[std::size_t(x0)], threshold);
                for (int k = 0; k < 4; ++k) expected[std::size_t(x0 + k)] = std::uint8_t(word >> (8 * k));
                expectedAny |= word;
            }
            for (const auto& [name, build] : builders) {
                std::vector<std::uint8_t> flags(expected.size(), 0xee);
                for (int x = 0; x < blockEnd; ++x) flags[std::size_t(x)] = 0x5a;  // every byte must be written
                const std::uint32_t any = build(p.data(), q.data(), flags.data(), blockEnd, threshold);
                for (std::size_t x = std::size_t(blockEnd); x < flags.size(); ++x) {
                    ASSERT_EQ(0xee, flags[x]) << name << ": written past the blocks";
                    flags[x] = 0;
                }
                ASSERT_EQ(expected, flags) << name << ", width " << width << ", threshold " << threshold;
                ASSERT_EQ(expectedAny, any) << name;
            }
        }
    }
}

}  // namespace
