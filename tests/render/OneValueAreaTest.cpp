// The check that lets a frame of one colour skip the edge smoothing: one pixel of another
// value anywhere in the area, down to one bit of one channel, makes it false; pixels outside
// the area do not matter; float frames never count as one value.

#include "render/OneValueArea.h"
#include "tests/render/RenderTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

template <class Pixel>
void expectOneValueExactlyWithoutAnOddPixel(vmhost::Host& host) {
    const PF_LRect area{2, 1, 37, 20};  // the world is larger on every side
    const Pixel colour{200, 10, 20, 30};
    struct Odd {
        A_long x, y;
        int channel;
        bool inside;
    };
    const Odd odds[] = {{2, 1, 0, true},    {36, 1, 3, true},   {2, 19, 1, true},  {36, 19, 2, true},
                        {20, 10, 3, true},  {1, 1, 0, false},   {37, 5, 1, false}, {5, 0, 2, false},
                        {5, 20, 3, false},  {19, 12, 1, true}};
    for (const Odd& odd : odds) {
        TestWorld<Pixel> world(40, 22);
        for (A_long y = 0; y < 22; ++y) {
            for (A_long x = 0; x < 40; ++x) world.at(x, y) = colour;
        }
        bool one = false;
        ASSERT_EQ(PF_Err_NONE, checkOneValue<Pixel>(&host.inData(), PF_Iterations_ONCE_PER_PROCESSOR,
                                                    *world.world(), area, one));
        EXPECT_TRUE(one);
        setChannel(world.at(odd.x, odd.y), odd.channel, channelOf(colour, odd.channel) ^ 1);
        ASSERT_EQ(PF_Err_NONE, checkOneValue<Pixel>(&host.inData(), PF_Iterations_ONCE_PER_PROCESSOR,
                                                    *world.world(), area, one));
        EXPECT_EQ(!odd.inside, one) << "odd pixel at (" << odd.x << ", " << odd.y << "), "
                                    << host.workerThreads() << " workers";
    }
}

TEST(OneValueAreaTest, OnePixelOfAnotherValueInTheAreaMakesItTwo) {
    for (int workers : {1, 2, 7}) {
        vmhost::Host host(hostWithWorkers(workers));
        expectOneValueExactlyWithoutAnOddPixel<PF_Pixel8>(host);
        expectOneValueExactlyWithoutAnOddPixel<PF_Pixel16>(host);
    }
}

TEST(OneValueAreaTest, FloatFramesNeverHoldOneValue) {
    vmhost::Host host(hostWithWorkers(2));
    TestWorld<PF_PixelFloat> world(9, 4);
    bool one = true;
    ASSERT_EQ(PF_Err_NONE, checkOneValue<PF_PixelFloat>(&host.inData(), PF_Iterations_ONCE_PER_PROCESSOR,
                                                        *world.world(), PF_LRect{0, 0, 9, 4}, one));
    EXPECT_FALSE(one);
}

}  // namespace
