// What the render driver refuses before it touches a pixel.
#include "render/RenderDriver.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

PF_EffectWorld worldOf(std::vector<PF_Pixel8>& pixels, int width, int height) {
    PF_EffectWorld world{};
    world.data = reinterpret_cast<PF_PixelPtr>(pixels.data());
    world.width = width;
    world.height = height;
    world.rowbytes = width * static_cast<A_long>(sizeof(PF_Pixel8));
    return world;
}

TEST(RenderDriverTest, RefusesUnknownFormatsAndMismatchedWorldsWithoutWriting) {
    std::vector<PF_Pixel8> inputPixels(16, PF_Pixel8{255, 1, 2, 3});
    std::vector<PF_Pixel8> outputPixels(16, PF_Pixel8{7, 7, 7, 7});
    PF_EffectWorld input = worldOf(inputPixels, 4, 4);
    PF_EffectWorld output = worldOf(outputPixels, 4, 4);

    RenderParams params = makeRenderParams();
    params.input = &input;
    params.output = &output;
    EXPECT_EQ(PF_Err_UNRECOGNIZED_PARAM_TYPE, renderWithDriver(params)) << "a record whose format was never set";
    params.pixelFormat = PF_PixelFormat_BGRA32;
    EXPECT_EQ(PF_Err_UNRECOGNIZED_PARAM_TYPE, renderWithDriver(params));

    // An output smaller than the input would be written out of bounds.
    PF_EffectWorld smaller = worldOf(outputPixels, 3, 4);
    params.pixelFormat = kPixelFormat8;
    params.output = &smaller;
    EXPECT_EQ(PF_Err_BAD_CALLBACK_PARAM, renderWithDriver(params));

    // A zero-sized input is nothing to do.
    PF_EffectWorld empty = worldOf(inputPixels, 0, 4);
    params.input = &empty;
    EXPECT_EQ(PF_Err_NONE, renderWithDriver(params));

    for (const PF_Pixel8& pixel : outputPixels) EXPECT_EQ(7, pixel.red);
}

}  // namespace
