// Pixels between files and the host: channel layouts, alpha conventions and depths.
#include "CliScratch.h"
#include "cli/CliErrors.h"
#include "cli/Downsample.h"
#include "cli/ImageFile.h"
#include "cli/OutputFormat.h"
#include "cli/FileRows.h"
#include "cli/RenderDepth.h"

#include <OpenImageIO/imageio.h>
#include <gtest/gtest.h>

namespace {

// 3 x 2 straight RGBA: opaque colours, a half-transparent pixel and a fully transparent one.
const float kTestValues[] = {1, 0, 0, 1, 0, 1, 0, 1, 0, 0, 1, 1, 0.2f, 0.6f, 1.0f, 0.4f, 0, 0, 0, 0, 1, 1, 1, 1};

// The test pixels in the host format of `depth` bits.
vmhost::Image testImage(int depth = 32) {
    vmhost::Image image(PF_PixelFormat_ARGB128, 3, 2);
    vmcli::fileRowsToImage(kTestValues, vmcli::FileChannels::of(4, 3), false, image, 0, 2);
    return image.converted(vmcli::pixelFormatForDepth(depth));
}

void expectNear(const vmhost::Image& expected, const vmhost::Image& actual, float tolerance, const std::string& what) {
    ASSERT_EQ(expected.width(), actual.width()) << what;
    ASSERT_EQ(expected.height(), actual.height()) << what;
    for (A_long y = 0; y < expected.height(); ++y) {
        for (A_long x = 0; x < expected.width(); ++x) {
            const PF_PixelFloat e = expected.normalized(x, y);
            const PF_PixelFloat a = actual.normalized(x, y);
            EXPECT_NEAR(e.alpha, a.alpha, tolerance) << what << " alpha at " << x << ", " << y;
            EXPECT_NEAR(e.red, a.red, tolerance) << what << " red at " << x << ", " << y;
            EXPECT_NEAR(e.green, a.green, tolerance) << what << " green at " << x << ", " << y;
            EXPECT_NEAR(e.blue, a.blue, tolerance) << what << " blue at " << x << ", " << y;
        }
    }
}

// The ARGB of one pixel read from `values` laid out as `channels`.
PF_PixelFloat fromFile(const std::vector<float>& values, const vmcli::FileChannels& channels,
                       bool premultiplied = false) {
    vmhost::Image image(PF_PixelFormat_ARGB128, 1, 1);
    vmcli::fileRowsToImage(values.data(), channels, premultiplied, image, 0, 1);
    return image.at<PF_PixelFloat>(0, 0);
}

bool operator==(const PF_PixelFloat& a, const PF_PixelFloat& b) {
    return a.alpha == b.alpha && a.red == b.red && a.green == b.green && a.blue == b.blue;
}

TEST(PixelLayoutTest, FileChannelsBecomeStraightArgb) {
    using vmcli::FileChannels;
    EXPECT_TRUE((PF_PixelFloat{1, 0.25f, 0.25f, 0.25f}) == fromFile({0.25f}, FileChannels::of(1, -1)));
    EXPECT_TRUE((PF_PixelFloat{0.2f, 0.5f, 0.5f, 0.5f}) == fromFile({0.5f, 0.2f}, FileChannels::of(2, -1)));
    EXPECT_TRUE((PF_PixelFloat{1, 0.1f, 0.2f, 0.3f}) == fromFile({0.1f, 0.2f, 0.3f}, FileChannels::of(3, -1)))
        << "no alpha: opaque";
    EXPECT_TRUE((PF_PixelFloat{0.9f, 0.1f, 0.2f, 0.3f}) == fromFile({0.9f, 0.1f, 0.2f, 0.3f}, FileChannels::of(4, 0)));
    EXPECT_TRUE((PF_PixelFloat{0.4f, 0.1f, 0.2f, 0.3f}) ==
                fromFile({0.1f, 0.2f, 0.3f, 0.4f, 0.5f}, FileChannels::of(5, 3)))
        << "channels after alpha are ignored";
    EXPECT_TRUE((PF_PixelFloat{1, 0.1f, 0.2f, 0.3f}) == fromFile({0.1f, 0.2f, 0.3f, 0.4f}, FileChannels::of(4, -1)))
        << "a fourth channel that is not alpha";

    // Integer depths round to the nearest step and clip.
    vmhost::Image deep(PF_PixelFormat_ARGB64, 2, 1);
    const float values[] = {0.5f, -1.0f, 2.0f, 1.0f, 0.0001f, 0.0f, 1.0f, 0.5f};
    vmcli::fileRowsToImage(values, FileChannels::of(4, 3), false, deep, 0, 1);
    EXPECT_EQ(16384, deep.at<PF_Pixel16>(0, 0).red);
    EXPECT_EQ(0, deep.at<PF_Pixel16>(0, 0).green);
    EXPECT_EQ(32768, deep.at<PF_Pixel16>(0, 0).blue);
    EXPECT_EQ(3, deep.at<PF_Pixel16>(1, 0).red);
}

TEST(PixelLayoutTest, PremultiplyingLosesOnlyColourUnderZeroAlpha) {
    const vmhost::Image straight = testImage();
    std::vector<float> stored(3 * 2 * 4);
    vmcli::imageRowsToFile(straight, 0, 2, true, true, stored.data());
    vmhost::Image back(PF_PixelFormat_ARGB128, 3, 2);
    vmcli::fileRowsToImage(stored.data(), vmcli::FileChannels::of(4, 3), true, back, 0, 2);
    expectNear(straight, back, 1e-6f, "round trip");
    EXPECT_TRUE((PF_PixelFloat{0, 0, 0, 0}) == fromFile({0.5f, 0.5f, 0.5f, 0.0f}, vmcli::FileChannels::of(4, 3), true))
        << "no division by zero";

    std::vector<float> colourOnly(3 * 3);
    vmcli::imageRowsToFile(straight, 1, 1, false, false, colourOnly.data());
    EXPECT_EQ((std::vector<float>{0.2f, 0.6f, 1.0f, 0, 0, 0, 1, 1, 1}), colourOnly) << "the second row, no alpha";
}

TEST(PixelLayoutTest, DownsamplingPicksEveryNthPixel) {
    vmhost::Image image(PF_PixelFormat_ARGB32, 5, 3, 8);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) image.at<PF_Pixel8>(x, y).red = static_cast<A_u_char>(10 * y + x);
    const vmhost::Image small = vmcli::subsampled(image, 2, 2);
    ASSERT_EQ(3, small.width());
    ASSERT_EQ(2, small.height());
    EXPECT_EQ(4, small.at<PF_Pixel8>(2, 0).red);
    EXPECT_EQ(22, small.at<PF_Pixel8>(1, 1).red);
    EXPECT_EQ(2, vmcli::subsampled(image, 3, 1).width());
}

class ImageFileTest : public ::testing::Test {
protected:
    CliScratch scratch;
};

TEST_F(ImageFileTest, FormatsKeepStraightAlphaAndTheirDepth) {
    struct Case {
        const char* name;
        int depth;
        float tolerance;
    };
    const Case cases[] = {{"a.png", 8, 0.5f / 255},     {"b.png", 16, 1.0f / 32768}, {"c.tif", 8, 0.5f / 255},
                          {"d.tif", 16, 1.0f / 32768},  {"e.tif", 32, 1e-6f},         {"f.exr", 32, 1e-6f}};
    for (const Case& c : cases) {
        const std::string path = scratch.path(c.name);
        vmcli::writeImageFile(testImage(c.depth), path, path);
        const vmcli::ImageFileContents read = vmcli::readImageFile(path);
        EXPECT_EQ(c.depth, read.depth) << c.name;
        EXPECT_EQ(vmcli::pixelFormatForDepth(c.depth), read.image.format()) << c.name;
        expectNear(testImage(), read.image, c.tolerance, c.name);
        const vmhost::Image asFloat = vmcli::readImageFile(path, 32).image;
        EXPECT_EQ(PF_PixelFormat_ARGB128, asFloat.format()) << "any depth asked for";
        expectNear(testImage(), asFloat, c.tolerance, c.name);
    }
}

TEST_F(ImageFileTest, ExrHoldsPremultipliedColourAsItsConventionSays) {
    const std::string path = scratch.path("premultiplied.exr");
    vmcli::writeImageFile(testImage(), path, path);
    auto in = OIIO::ImageInput::open(path);
    ASSERT_TRUE(in);
    std::vector<float> raw(3 * 2 * 4);
    ASSERT_TRUE(in->read_image(0, 0, 0, 4, OIIO::TypeDesc::FLOAT, raw.data()));
    EXPECT_FLOAT_EQ(0.6f * 0.4f, raw[3 * 4 + 1]);
}

TEST_F(ImageFileTest, HalfFloatFilesCanBeWrittenBackAsHalfFloats) {
    const std::string path = scratch.path("half.exr");
    vmcli::WriteOptions halfFloats;
    halfFloats.halfFloat = true;
    halfFloats.threads = 1;
    vmcli::writeImageFile(testImage(), path, path, halfFloats);
    const vmcli::ImageFileContents half = vmcli::readImageFile(path);
    EXPECT_TRUE(half.halfFloat);
    EXPECT_EQ(32, half.depth);
    expectNear(testImage(), half.image, 1e-3f, "half floats");
    vmcli::writeImageFile(half.image, path, path);
    EXPECT_FALSE(vmcli::readImageFile(path).halfFloat) << "full floats unless asked";
}

TEST(OutputFormatTest, NamesCallForWritersThatMakeFiles) {
    struct Case {
        const char* name;
        const char* format;  // nullptr: no writer
        const char* refusal;  // nullptr: accepted
    };
    const Case cases[] = {
        {"x.exr", "openexr", nullptr},
        {"x.PNG", "png", nullptr},
        {"x.jp2", "jpeg2000", nullptr},
        {"x.avif", "heif", nullptr},
        {"x", nullptr, "no image format is known by that name"},
        {"x.psd", nullptr, "no image format is known by that name"},  // read, never written
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.format ? std::optional<std::string>(c.format) : std::nullopt, vmcli::outputFormatOf(c.name))
            << c.name;
        try {
            vmcli::checkOutputFormat(c.name);
            EXPECT_EQ(nullptr, c.refusal) << c.name;
        } catch (const vmcli::RunError& e) {
            ASSERT_NE(nullptr, c.refusal) << c.name << ": " << e.what();
            EXPECT_EQ("cannot write \"" + std::string(c.name) + "\": " + c.refusal, e.what());
        }
    }
}

TEST_F(ImageFileTest, LargeAndTiledFilesArriveRowForRow) {
    // Wide enough for several strips, and tiles that do not divide the image.
    vmhost::Image wide(PF_PixelFormat_ARGB64, 4100, 700);
    for (A_long y = 0; y < wide.height(); ++y)
        for (A_long x = 0; x < wide.width(); ++x)
            wide.at<PF_Pixel16>(x, y) = {32768, A_u_short(y * 40), A_u_short(x * 7), A_u_short((x + y) % 32768)};
    const std::string widePath = scratch.path("wide.png");
    vmcli::writeImageFile(wide, widePath, widePath);
    EXPECT_TRUE(vmcli::readImageFile(widePath).image.samePixels(wide));

    const std::string tiledPath = scratch.path("tiled.tif");
    {
        auto out = OIIO::ImageOutput::create(tiledPath);
        ASSERT_TRUE(out);
        OIIO::ImageSpec spec(37, 21, 3, OIIO::TypeDesc::UINT8);
        spec.tile_width = 16;
        spec.tile_height = 16;
        ASSERT_TRUE(out->open(tiledPath, spec));
        std::vector<std::uint8_t> values(37 * 21 * 3);
        for (std::size_t i = 0; i < values.size(); ++i) values[i] = static_cast<std::uint8_t>(i / 3 % 251);
        ASSERT_TRUE(out->write_image(OIIO::TypeDesc::UINT8, values.data()));
    }
    const vmhost::Image tiled = vmcli::readImageFile(tiledPath).image;
    ASSERT_EQ(37, tiled.width());
    EXPECT_EQ((20 * 37 + 36) % 251, tiled.at<PF_Pixel8>(36, 20).red);
    EXPECT_EQ((17 * 37 + 5) % 251, tiled.at<PF_Pixel8>(5, 17).blue);
    EXPECT_EQ(255, tiled.at<PF_Pixel8>(5, 17).alpha);
}

}  // namespace
