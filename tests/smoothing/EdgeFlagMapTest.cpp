// The fast row builders of the map of differences against the plain comparisons. Which flags
// a picture gives, and the map's cleared border, are held to the first pass's own map by the
// differential smoothing test.
#include "render/EdgeFlagBuilder.h"
#include "render/EdgeFlagMap.h"
#include "render/EdgeFlagRow8.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

TEST(EdgeFlagMapTest, EveryEightBitRowBuilderGivesThePlainComparisonsFlags) {
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
