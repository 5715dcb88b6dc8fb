// The map of differences: its place in a host world, and how it is filled from a picture.
#include "Picture.h"
#include "host/Host.h"
#include "render/EdgeFlagBuilder.h"
#include "render/EdgeFlagMap.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class EdgeFlagMapTest : public ::testing::Test {
protected:
    void SetUp() override {
        const void* suite = nullptr;
        ASSERT_EQ(0, host.basicSuite()->AcquireSuite(kPFWorldSuite, kPFWorldSuiteVersion1, &suite));
        worldSuite = static_cast<const PF_WorldSuite1*>(suite);
    }
    void TearDown() override { host.basicSuite()->ReleaseSuite(kPFWorldSuite, kPFWorldSuiteVersion1); }

    PF_ProgPtr effectRef() { return host.inData().effect_ref; }
    vmhost::WorldStore& worlds() { return host.context().worlds(); }

    // The flags of every image pixel, row by row.
    template <class Pixel>
    std::vector<std::vector<int>> flagsOf(Picture<Pixel>& picture, std::uint32_t threshold = 10) {
        EdgeFlagMap map;
        EXPECT_EQ(PF_Err_NONE, map.create(*worldSuite, effectRef(), picture.width(), picture.height()));
        buildEdgeFlags<Pixel>(map, picture.world(), threshold);
        std::vector<std::vector<int>> flags(picture.height(), std::vector<int>(picture.width()));
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) flags[y][x] = map.at(x, y);
        }
        return flags;
    }

    vmhost::Host host{vmhost::HostConfig::checking()};
    const PF_WorldSuite1* worldSuite = nullptr;
};

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
        EXPECT_EQ(0, worlds().outstanding()) << "the map gives its world back";
    }

    worlds().failNthCreation(1);
    {
        EdgeFlagMap refused;
        EXPECT_EQ(PF_Err_OUT_OF_MEMORY, refused.create(*worldSuite, effectRef(), 4, 4));
    }
    EXPECT_EQ(0, worlds().misuses()) << "a map without a world gives nothing back";
}

TEST_F(EdgeFlagMapTest, BlocksOfFourComputeDiagonalsOnlyAfterAnEarlierDifference) {
    // The 2 x 2 red example: only the red pixel differs, to the right, below and diagonally.
    Picture<PF_Pixel8> red({"R.", ".."});
    EXPECT_EQ((std::vector<std::vector<int>>{{7, 0}, {0, 0}}), flagsOf(red));

    // A checkerboard: the interior gets right and down, the last row right only and the
    // last column down only; nothing compares with the outside.
    Picture<PF_Pixel8> board({"KWK", "WKW", "KWK"});
    EXPECT_EQ((std::vector<std::vector<int>>{{3, 3, 2}, {3, 3, 2}, {1, 1, 0}}), flagsOf(board));

    // A gentle gradient whose neighbours stay within the threshold (6) while diagonal
    // neighbours do not (12). In blocks of four without another difference only the fourth
    // pixel gets its diagonal bit; the column after the blocks (8) always does.
    auto gradient = [](int firstRed) {
        Picture<PF_Pixel8> picture(10, 2, PF_Pixel8{});
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < 10; ++x) picture.at(x, y) = PF_Pixel8{255, A_u_char(6 * x + 6 * y), 0, 0};
        }
        picture.at(0, 0).red = A_u_char(firstRed);
        return picture;
    };
    Picture<PF_Pixel8> smooth = gradient(0);
    EXPECT_EQ((std::vector<int>{0, 0, 0, 4, 0, 0, 0, 4, 4, 0}), flagsOf(smooth)[0]);
    EXPECT_EQ((std::vector<int>(10, 0)), flagsOf(smooth)[1]);

    // A difference at the block's first pixel opens the diagonal tests of the next two.
    Picture<PF_Pixel8> opened = gradient(200);
    EXPECT_EQ((std::vector<int>{7, 4, 4, 4, 0, 0, 0, 4, 4, 0}), flagsOf(opened)[0]);
}

}  // namespace
