// Pixels between files and the host: channel layouts, alpha conventions, depths, and
// output files that only appear once complete.
#include "CliScratch.h"
#include "cli/CliErrors.h"
#include "cli/Downsample.h"
#include "cli/ImageFile.h"
#include "cli/PendingFile.h"
#include "cli/RgbaPixels.h"

#include <OpenImageIO/imageio.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

using vmcli::RgbaPixels;

// 3 x 2: opaque colours, a half-transparent pixel and a fully transparent one.
RgbaPixels testPixels() {
    RgbaPixels pixels(3, 2);
    const float values[] = {1, 0, 0, 1, 0, 1, 0, 1, 0, 0, 1, 1, 0.2f, 0.6f, 1.0f, 0.4f, 0, 0, 0, 0, 1, 1, 1, 1};
    pixels.values.assign(std::begin(values), std::end(values));
    return pixels;
}

std::string contentsOf(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

void expectNear(const RgbaPixels& expected, const RgbaPixels& actual, float tolerance, const std::string& what) {
    ASSERT_EQ(expected.values.size(), actual.values.size()) << what;
    for (std::size_t i = 0; i < expected.values.size(); ++i)
        EXPECT_NEAR(expected.values[i], actual.values[i], tolerance) << what << " value " << i;
}

TEST(PixelLayoutTest, FileChannelsBecomeStraightRgba) {
    const std::vector<float> grey = {0.25f, 0.75f};
    const RgbaPixels fromGrey = vmcli::rgbaFromChannels(grey, 2, 1, 1, -1);
    EXPECT_EQ((std::vector<float>{0.25f, 0.25f, 0.25f, 1, 0.75f, 0.75f, 0.75f, 1}), fromGrey.values);
    const RgbaPixels fromGreyAlpha = vmcli::rgbaFromChannels({0.5f, 0.2f}, 1, 1, 2, -1);
    EXPECT_EQ((std::vector<float>{0.5f, 0.5f, 0.5f, 0.2f}), fromGreyAlpha.values);
    const RgbaPixels fromRgb = vmcli::rgbaFromChannels({0.1f, 0.2f, 0.3f}, 1, 1, 3, -1);
    EXPECT_EQ((std::vector<float>{0.1f, 0.2f, 0.3f, 1}), fromRgb.values) << "no alpha: opaque";
    const RgbaPixels alphaFirst = vmcli::rgbaFromChannels({0.9f, 0.1f, 0.2f, 0.3f}, 1, 1, 4, 0);
    EXPECT_EQ((std::vector<float>{0.1f, 0.2f, 0.3f, 0.9f}), alphaFirst.values);
    const RgbaPixels extra = vmcli::rgbaFromChannels({0.1f, 0.2f, 0.3f, 0.4f, 0.5f}, 1, 1, 5, 3);
    EXPECT_EQ((std::vector<float>{0.1f, 0.2f, 0.3f, 0.4f}), extra.values) << "channels after alpha are ignored";
}

TEST(PixelLayoutTest, PremultiplyingLosesOnlyColourUnderZeroAlpha) {
    RgbaPixels pixels = testPixels();
    vmcli::premultiply(pixels);
    EXPECT_FLOAT_EQ(0.4f * 0.6f, pixels.pixel(0, 1)[1]);
    vmcli::unpremultiply(pixels);
    expectNear(testPixels(), pixels, 1e-6f, "round trip");
    RgbaPixels hidden(1, 1);
    hidden.values = {0.5f, 0.5f, 0.5f, 0.0f};
    vmcli::unpremultiply(hidden);
    EXPECT_EQ((std::vector<float>{0, 0, 0, 0}), hidden.values) << "no division by zero";
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
        vmcli::writeImageFile(testPixels(), c.depth, path, path);
        const vmcli::ImageFileContents read = vmcli::readImageFile(path);
        EXPECT_EQ(c.depth, read.depth) << c.name;
        expectNear(testPixels(), read.pixels, c.tolerance, c.name);
    }
}

TEST_F(ImageFileTest, ExrHoldsPremultipliedColourAsItsConventionSays) {
    const std::string path = scratch.path("premultiplied.exr");
    vmcli::writeImageFile(testPixels(), 32, path, path);
    auto in = OIIO::ImageInput::open(path);
    ASSERT_TRUE(in);
    std::vector<float> raw(3 * 2 * 4);
    ASSERT_TRUE(in->read_image(0, 0, 0, 4, OIIO::TypeDesc::FLOAT, raw.data()));
    EXPECT_FLOAT_EQ(0.6f * 0.4f, raw[3 * 4 + 1]);
}

TEST_F(ImageFileTest, InputsWithoutAlphaAreOpaqueAndBadFilesAreReported) {
    const std::string path = scratch.path("rgb.png");
    {
        auto out = OIIO::ImageOutput::create(path);
        ASSERT_TRUE(out);
        ASSERT_TRUE(out->open(path, OIIO::ImageSpec(2, 1, 3, OIIO::TypeDesc::UINT16)));
        const std::uint16_t values[] = {65535, 0, 0, 0, 0, 65535};
        ASSERT_TRUE(out->write_image(OIIO::TypeDesc::UINT16, values));
    }
    const vmcli::ImageFileContents read = vmcli::readImageFile(path);
    EXPECT_EQ(16, read.depth);
    EXPECT_EQ((std::vector<float>{1, 0, 0, 1, 0, 0, 1, 1}), read.pixels.values);

    std::ofstream(scratch.path("fake.png")) << "not a picture";
    EXPECT_THROW(vmcli::readImageFile(scratch.path("fake.png")), vmcli::RunError);
    EXPECT_THROW(vmcli::readImageFile(scratch.path("missing.png")), vmcli::RunError);
    EXPECT_THROW(vmcli::writeImageFile(testPixels(), 8, scratch.path("x.unknown"), scratch.path("x.unknown")),
                 vmcli::RunError);
    EXPECT_FALSE(vmcli::canWriteFormatOf("x.unknown"));
    EXPECT_TRUE(vmcli::canWriteFormatOf("x.exr"));
}

TEST_F(ImageFileTest, PendingFileAppearsOnlyWhenCommitted) {
    const std::string finalPath = scratch.path("out.png");
    std::ofstream(finalPath) << "old";
    {
        vmcli::PendingFile abandoned(finalPath);
        EXPECT_EQ(scratch.path(".out.png." + std::to_string(getpid()) + ".partial"), abandoned.tempPath());
        std::ofstream(abandoned.tempPath()) << "half";
    }
    EXPECT_EQ("old", contentsOf(finalPath)) << "an abandoned write leaves the old file alone";
    EXPECT_EQ((std::vector<std::string>{"out.png"}), scratch.files()) << "and no temporary file";

    {
        vmcli::PendingFile done(finalPath);
        vmcli::writeImageFile(testPixels(), 8, finalPath, done.tempPath());
        EXPECT_EQ("old", contentsOf(finalPath));
        done.commit();
    }
    EXPECT_EQ((std::vector<std::string>{"out.png"}), scratch.files());
    EXPECT_EQ(3, vmcli::readImageFile(finalPath).pixels.width) << "written under the temporary name as a PNG";

    vmcli::PendingFile nowhere(scratch.path("no-folder/out.png"));
    EXPECT_THROW(nowhere.commit(), vmcli::RunError);
}

}  // namespace
