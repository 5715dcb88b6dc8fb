// What reaches the disk: temporary names that keep the format and fit the file system, frame
// windows kept, and files the renderer cannot show refused by name before memory is taken for them.
#include "CliScratch.h"
#include "cli/CliErrors.h"
#include "cli/ImageFile.h"
#include "cli/PendingFile.h"
#include "cli/RenderDepth.h"

#include <OpenImageIO/imageio.h>
#include <gtest/gtest.h>

namespace {

namespace oiio = OIIO;

vmhost::Image gradient(PF_PixelFormat format, int width, int height) {
    vmhost::Image image(PF_PixelFormat_ARGB128, width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.at<PF_PixelFloat>(x, y) = {1.0f, (x * 7 % 13) / 13.0f, (y * 5 % 11) / 11.0f, (x ^ y) % 17 / 17.0f};
    return image.converted(format);
}

void writeRaw(const std::string& path, const oiio::ImageSpec& spec, int subimages = 1) {
    auto out = oiio::ImageOutput::create(path);
    ASSERT_TRUE(out) << path;
    std::vector<float> values(static_cast<std::size_t>(spec.width) * spec.height * spec.nchannels, 0.5f);
    for (int i = 0; i < subimages; ++i) {
        ASSERT_TRUE(out->open(path, spec, i == 0 ? oiio::ImageOutput::Create : oiio::ImageOutput::AppendSubimage))
            << out->geterror();
        ASSERT_TRUE(out->write_image(oiio::TypeDesc::FLOAT, values.data())) << out->geterror();
    }
    ASSERT_TRUE(out->close());
}

TEST(PartialFileNameTest, KeepsTheExtensionAndFitsTheFileSystem) {
    const std::string longStem(246, 'n');  // with ".png": a legal 250-byte name
    const std::string accented = std::string(230, 'a') + "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9";
    struct Case {
        std::string finalName;
        std::string expected;
    };
    const Case cases[] = {
        {"out.png", ".out.4242.partial.png"},
        {"shot.0001.jp2", ".shot.0001.4242.partial.jp2"},
        {"noextension", ".noextension.4242.partial"},
        {longStem + ".png", "." + std::string(237, 'n') + ".4242.partial.png"},
        // Cut before a whole character, never inside one.
        {accented + ".exr", "." + std::string(230, 'a') + "\xC3\xA9\xC3\xA9\xC3\xA9.4242.partial.exr"},
    };
    for (const Case& c : cases) {
        const std::string name = vmcli::partialFileName(c.finalName, 4242);
        EXPECT_EQ(c.expected, name) << c.finalName;
        EXPECT_LE(name.size(), 255u) << c.finalName;
    }
}

class OutputFileTest : public ::testing::Test {
protected:
    // Written the way a frame is: under the temporary name, then committed.
    void writeCommitted(const vmhost::Image& image, const std::string& path,
                        const vmcli::WriteOptions& options = {}) {
        vmcli::PendingFile file(path);
        vmcli::writeImageFile(image, path, file.tempPath(), options);
        file.commit();
    }

    CliScratch scratch;
};

TEST_F(OutputFileTest, ACommitThatCannotMoveTheFileIntoPlaceThrows) {
    vmcli::PendingFile nowhere(scratch.path("no-folder/out.png"));
    EXPECT_THROW(nowhere.commit(), vmcli::RunError);
}

TEST_F(OutputFileTest, FormatVariantsFollowTheFinalName) {
    struct Case {
        const char* name;
        std::size_t offset;  // where the format's signature sits
        std::string signature;
    };
    const Case cases[] = {
        {"out.jp2", 4, "jP  "},                      // JPEG 2000 box file
        {"out.j2k", 0, "\xFF\x4F\xFF\x51"},         // JPEG 2000 code stream
        {"out.avif", 4, "ftypavif"},                // AVIF, not HEIC
    };
    for (const Case& c : cases) {
        const std::string path = scratch.path(c.name);
        try {
            writeCommitted(gradient(PF_PixelFormat_ARGB32, 64, 64), path);
        } catch (const vmcli::RunError& e) {
            ADD_FAILURE() << c.name << ": " << e.what();
            continue;
        }
        const std::string bytes = bytesOf(path);
        ASSERT_GT(bytes.size(), c.offset + c.signature.size()) << c.name << " is empty or cut short";
        EXPECT_EQ(c.signature, bytes.substr(c.offset, c.signature.size())) << c.name;
    }
}

TEST_F(OutputFileTest, DataAndDisplayWindowsAreKept) {
    const std::string input = scratch.path("window.exr");
    oiio::ImageSpec spec(64, 32, 4, oiio::TypeDesc::HALF);
    spec.x = 100;
    spec.y = 50;
    spec.full_x = 0;
    spec.full_y = 0;
    spec.full_width = 400;
    spec.full_height = 300;
    writeRaw(input, spec);

    const vmcli::ImageFileContents contents = vmcli::readImageFile(input);
    EXPECT_EQ(64, contents.image.width()) << "the data window is the layer";
    const vmcli::ImageWindows expected{100, 50, 0, 0, 400, 300};
    EXPECT_TRUE(expected == contents.windows);

    struct Case {
        const char* name;
        int factor;
        vmcli::ImageWindows written;  // as read back
    };
    const Case cases[] = {
        {"same.exr", 1, {100, 50, 0, 0, 400, 300}},
        {"half.exr", 2, {50, 25, 0, 0, 200, 150}},
        {"origin.tif", 1, {100, 50, 100, 50, 0, 0}},  // TIFF keeps the position only
        {"plain.png", 1, {0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        vmcli::WriteOptions options;
        options.windows = vmcli::scaledWindows(contents.windows, c.factor, c.factor);
        const std::string path = scratch.path(c.name);
        writeCommitted(contents.image, path, options);
        auto in = oiio::ImageInput::open(path);
        ASSERT_TRUE(in) << c.name;
        const oiio::ImageSpec& back = in->spec();
        EXPECT_EQ(c.written.x, back.x) << c.name;
        EXPECT_EQ(c.written.y, back.y) << c.name;
        if (c.written.displayWidth > 0) {
            EXPECT_EQ(c.written.displayX, back.full_x) << c.name;
            EXPECT_EQ(c.written.displayY, back.full_y) << c.name;
            EXPECT_EQ(c.written.displayWidth, back.full_width) << c.name;
            EXPECT_EQ(c.written.displayHeight, back.full_height) << c.name;
        }
    }
}

TEST_F(OutputFileTest, FilesTheRendererCannotShowAreRefusedByName) {
    oiio::ImageSpec redGreen(4, 4, 2, oiio::TypeDesc::HALF);
    redGreen.channelnames = {"R", "G"};
    redGreen.alpha_channel = -1;
    writeRaw(scratch.path("rg.exr"), redGreen);
    oiio::ImageSpec greyAlpha(4, 4, 2, oiio::TypeDesc::HALF);
    greyAlpha.channelnames = {"Y", "A"};
    greyAlpha.alpha_channel = 1;
    writeRaw(scratch.path("ya.exr"), greyAlpha);
    writeRaw(scratch.path("pages.tif"), oiio::ImageSpec(4, 4, 3, oiio::TypeDesc::UINT8), 3);
    writeRaw(scratch.path("big.png"), oiio::ImageSpec(300, 200, 3, oiio::TypeDesc::UINT8));

    struct Case {
        const char* name;
        std::uint64_t maxPixels;
        const char* refusal;  // nullptr: read
    };
    const Case cases[] = {
        {"rg.exr", vmcli::kDefaultMaxPixels, "its two channels (R, G) are not grey and alpha"},
        {"ya.exr", vmcli::kDefaultMaxPixels, nullptr},
        {"pages.tif", vmcli::kDefaultMaxPixels, "it holds 3 images (pages or parts)"},
        {"big.png", 59999, "image too large: 300 x 200 pixels"},
        {"big.png", 60000, nullptr},
    };
    for (const Case& c : cases) {
        bool madeImage = false;
        const auto makeImage = [&madeImage](PF_PixelFormat format, A_long width, A_long height) {
            madeImage = true;
            return vmhost::Image(format, width, height);
        };
        const std::string path = scratch.path(c.name);
        try {
            vmcli::readImageFile(path, std::nullopt, 0, makeImage, c.maxPixels);
            EXPECT_EQ(nullptr, c.refusal) << c.name;
        } catch (const vmcli::RunError& e) {
            ASSERT_NE(nullptr, c.refusal) << c.name << ": " << e.what();
            EXPECT_EQ(0u, std::string(e.what()).find("cannot read \"" + path + "\": " + c.refusal)) << e.what();
            EXPECT_FALSE(madeImage) << c.name << ": refused before memory is taken";
        }
    }
}

TEST_F(OutputFileTest, WritesReportTheDepthTheFormatHolds) {
    struct Case {
        const char* name;
        PF_PixelFormat format;
        int fileDepth;
    };
    const Case cases[] = {{"a.png", PF_PixelFormat_ARGB128, 8},  {"b.png", PF_PixelFormat_ARGB64, 16},
                          {"c.tif", PF_PixelFormat_ARGB128, 32}, {"d.bmp", PF_PixelFormat_ARGB64, 8},
                          {"e.exr", PF_PixelFormat_ARGB32, 8 /* as half floats: no loss */}};
    for (const Case& c : cases) {
        const std::string path = scratch.path(c.name);
        const int depth = vmcli::writeImageFile(gradient(c.format, 4, 4), path, path);
        if (c.format == PF_PixelFormat_ARGB32)
            EXPECT_GE(depth, 8) << c.name;
        else
            EXPECT_EQ(c.fileDepth, depth) << c.name;
    }
}

}  // namespace
