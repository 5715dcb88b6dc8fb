// Whole frames through the host: what the render commands and the render driver promise.
#include "tests/support/EffectHostFixture.h"
#include "host/FrameRenderer.h"
#include "host/Image.h"
#include "host/PixelFormat.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using vmhost::FrameRenderer;
using vmhost::FrameRequest;
using vmhost::FrameResult;
using vmhost::Image;
using vmhost::RenderCommand;

constexpr std::uint64_t kExpected8BitHash = 9971522350212589387ull;
constexpr std::uint64_t kExpected16BitHash = 5477963898499729509ull;

constexpr PF_PixelFormat kFormats[] = {PF_PixelFormat_ARGB32, PF_PixelFormat_ARGB64, PF_PixelFormat_ARGB128};

// A picture with hard edges, soft gradients, a transparent corner and the key colour
// (3, 180, 245) in a block (and nowhere else), in any depth and with padded rows.
Image testPicture(PF_PixelFormat format, int width = 48, int height = 32) {
    Image picture(format, width, height, 12, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            PF_PixelFloat argb = {1.0f, (64 + x * 3 % 128) / 255.0f, (y * 11 % 256) / 255.0f, ((x ^ y) & 1) ? 1.0f : 0.2f};
            if (x >= 8 && x < 20 && y >= 6 && y < 18) argb = {1.0f, 3 / 255.0f, 180 / 255.0f, 245 / 255.0f};
            if (x + y < 4) argb = {0.0f, 0.5f, 0.5f, 0.5f};
            picture.setNormalized(x, y, argb);
        }
    }
    return picture;
}

class RenderTest : public EffectHostTest {
protected:
    void SetUp() override {
        EffectHostTest::SetUp();
        setUpInstance();
    }
    FrameResult render(const Image& input, const FrameRequest& request = {}) {
        FrameResult result = FrameRenderer(host()).render(input, request);
        EXPECT_EQ(0, result.leakedHandles) << (request.command == RenderCommand::SmartFX ? "SmartFX" : "legacy");
        EXPECT_EQ(0, result.leakedWorlds) << (request.command == RenderCommand::SmartFX ? "SmartFX" : "legacy");
        // After a failed render the input may stay checked out; the host takes it back.
        if (result.err == PF_Err_NONE) {
            EXPECT_EQ(0, result.checkoutsLeft);
        }
        return result;
    }
    void noBlur() {
        host().params().setFloatValue("G", 0);
        host().params().setFloatValue("B", 0);
    }
    // SmartFX and the legacy render both give the input back unchanged.
    void expectBothCommandsGiveBack(const Image& input) {
        for (RenderCommand command : {RenderCommand::SmartFX, RenderCommand::Legacy}) {
            FrameRequest request;
            request.command = command;
            const FrameResult result = render(input, request);
            ASSERT_EQ(PF_Err_NONE, result.err) << result.returnMessage;
            EXPECT_TRUE(result.output.samePixels(input)) << vmhost::formatName(input.format());
        }
    }

    void keyOnTheBlock(double range) {
        host().params().setValue("1 : Enable", 1);
        host().params().setFloatValue("1 : Color Range", range);
    }
};

// Settings that leave nothing to do give every picture back bit for bit, through both commands:
// no blur; Extract without keys, whose identity passes take 8-bit values through the 16-bit
// blur buffers; and the small-radius path on a frame of one colour, which has no edge to
// smooth and in which every window holds that colour.
TEST_F(RenderTest, SettingsWithNothingToDoGiveThePictureBack) {
    Image ramp(PF_PixelFormat_ARGB32, 256, 2, 4, 0);
    for (int x = 0; x < 256; ++x) {
        const auto v = static_cast<A_u_char>(x);
        ramp.at<PF_Pixel8>(x, 0) = PF_Pixel8{255, v, static_cast<A_u_char>(255 - x), v};
        ramp.at<PF_Pixel8>(x, 1) = PF_Pixel8{static_cast<A_u_char>(x | 1), v, v, static_cast<A_u_char>(x / 2)};
    }
    std::vector<Image> oneColour;
    for (PF_PixelFormat format : {PF_PixelFormat_ARGB32, PF_PixelFormat_ARGB64}) {
        oneColour.emplace_back(format, 70, 45, 4, 0);
        for (int y = 0; y < 45; ++y) {
            for (int x = 0; x < 70; ++x) oneColour.back().setNormalized(x, y, {1.0f, 0.2f, 0.6f, 0.9f});
        }
    }
    const std::vector<Image> pictures = {testPicture(kFormats[0]), testPicture(kFormats[1]), testPicture(kFormats[2])};
    struct Case {
        const char* name;
        void (*apply)(vmhost::ParamList&);
        std::vector<Image> pictures;
    };
    const Case cases[] = {
        {"no blur", [](vmhost::ParamList&) {}, pictures},
        {"extract without keys", [](vmhost::ParamList& p) { p.setValue("Mode", 2); },
         {pictures[0], pictures[1], pictures[2], ramp}},
        {"small radius",
         [](vmhost::ParamList& p) {
             p.setFloatValue("Blur Amount", 1);
             p.setValue("Blur Repeat Num", 1);
         },
         oneColour},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();  // a fresh instance at the built-in defaults
        noBlur();
        c.apply(host().params());
        for (const Image& input : c.pictures) expectBothCommandsGiveBack(input);
    }
}

TEST_F(RenderTest, SettingsThatCannotApplyChangeNothing) {
    const Image input = testPicture(PF_PixelFormat_ARGB64);
    host().params().setFloatValue("R", 3);
    host().params().setFloatValue("G", 8);
    host().params().setFloatValue("B", 5);
    const FrameResult reference = render(input);
    ASSERT_EQ(PF_Err_NONE, reference.err);

    // Auto Alpha makes the alpha amount the largest colour amount, whatever A says.
    host().params().setFloatValue("A", 40);
    EXPECT_TRUE(render(input).output.samePixels(reference.output));
    host().params().setValue("Auto Alpha", 0);
    host().params().setFloatValue("A", 8);
    EXPECT_TRUE(render(input).output.samePixels(reference.output));

    // Without a key colour, Invert is off and Keep Division on, whatever they say.
    host().params().setValue("Invert", 1);
    host().params().setValue("Keep Division", 0);
    EXPECT_TRUE(render(input).output.samePixels(reference.output));
}

TEST_F(RenderTest, FloatBrightnessClipsToWhite) {
    noBlur();
    host().params().setFloatValue("Brightness", 1);
    Image input(PF_PixelFormat_ARGB128, 4, 1, 0, 0);
    input.at<PF_PixelFloat>(0, 0) = PF_PixelFloat{1.0f, 1.5f, 0.5f, -0.25f};
    const FrameResult result = render(input);
    ASSERT_EQ(PF_Err_NONE, result.err);
    const PF_PixelFloat out = result.output.at<PF_PixelFloat>(0, 0);
    EXPECT_EQ(1.0f, out.red);
    EXPECT_GT(out.green, 0.5f);
    EXPECT_LT(out.green, 1.0f);
    EXPECT_GE(out.blue, 0.0f) << "below 0 reads as table entry 0";
}

// NaN and infinities in a float frame: no crash, and they reach no pixel beyond the
// distance the settings blur over. Every pixel farther away is what the frame without them
// gives (the small-radius path's edge smoothing is only held to finite values there).
TEST_F(RenderTest, NonFiniteFloatPixelsStayWhereTheyAre) {
    struct Planted {
        int x, y, channel;
        float value;
    };
    const Planted planted[] = {{30, 20, 1, std::nanf("")}, {10, 25, 2, INFINITY}, {40, 8, 0, std::nanf("")},
                               {22, 12, 3, -INFINITY}};
    const Image clean = testPicture(PF_PixelFormat_ARGB128, 64, 40);
    Image dirty = clean;
    for (const Planted& p : planted) reinterpret_cast<float*>(&dirty.at<PF_PixelFloat>(p.x, p.y))[p.channel] = p.value;
    auto farFromPlanted = [&](int x, int y, int reach) {
        for (const Planted& p : planted) {
            if (std::abs(x - p.x) <= reach && std::abs(y - p.y) <= reach) return false;
        }
        return true;
    };

    struct Setting {
        const char* name;
        int blurType;
        double blurAmount, red, green, blue;
        int reach;          // of all passes together, with a pixel to spare
        bool sameAsClean;   // false: the edge smoothing runs, only finiteness is promised
    };
    const Setting settings[] = {{"box", 2, 0, 2, 3, 1, 5, true},
                                {"gaussian", 1, 0, 2, 3, 1, 5, true},
                                {"small radius", 2, 1, 0, 0, 0, 8, false}};
    host().params().setValue("Auto Alpha", 0);
    host().params().setFloatValue("Brightness", 10);
    host().params().setValue("Blur Repeat Num", 2);
    for (const Setting& setting : settings) {
        host().params().setValue("Blur Type", setting.blurType);
        host().params().setFloatValue("Blur Amount", setting.blurAmount);
        host().params().setFloatValue("R", setting.red);
        host().params().setFloatValue("G", setting.green);
        host().params().setFloatValue("B", setting.blue);
        for (RenderCommand command : {RenderCommand::SmartFX, RenderCommand::Legacy}) {
            FrameRequest request;
            request.command = command;
            const FrameResult expected = render(clean, request);
            const FrameResult result = render(dirty, request);
            ASSERT_EQ(PF_Err_NONE, result.err) << setting.name << ": " << result.returnMessage;
            int wrong = 0;
            for (int y = 0; y < clean.height(); ++y) {
                for (int x = 0; x < clean.width(); ++x) {
                    if (!farFromPlanted(x, y, setting.reach)) continue;
                    const PF_PixelFloat out = result.output.at<PF_PixelFloat>(x, y);
                    const bool finite = std::isfinite(out.alpha) && std::isfinite(out.red) &&
                                        std::isfinite(out.green) && std::isfinite(out.blue);
                    const bool same = std::memcmp(&out, &expected.output.at<PF_PixelFloat>(x, y), sizeof out) == 0;
                    if ((!finite || (setting.sameAsClean && !same)) && ++wrong <= 3) {
                        ADD_FAILURE() << setting.name << " at " << x << "," << y << ": " << out.alpha << " "
                                      << out.red << " " << out.green << " " << out.blue;
                    }
                }
            }
        }
    }
}

TEST_F(RenderTest, UnselectedPixelsAreUntouchedAndExtractClearsTheirAlpha) {
    host().params().setFloatValue("Blur Amount", 4);
    keyOnTheBlock(2);
    for (PF_PixelFormat format : kFormats) {
        const Image input = testPicture(format);
        const FrameResult normal = render(input);
        ASSERT_EQ(PF_Err_NONE, normal.err) << normal.returnMessage;
        for (int y = 0; y < input.height(); ++y) {
            for (int x = 0; x < input.width(); ++x) {
                const bool inBlock = x >= 8 && x < 20 && y >= 6 && y < 18;
                if (inBlock) continue;
                ASSERT_EQ(0, std::memcmp(input.row(y) + x * input.bytesPerPixel(),
                                         normal.output.row(y) + x * input.bytesPerPixel(), input.bytesPerPixel()))
                    << vmhost::formatName(format) << " " << x << "," << y;
            }
        }
    }

    host().params().setValue("Mode", 2);
    const Image input = testPicture(PF_PixelFormat_ARGB64);
    const FrameResult extract = render(input);
    ASSERT_EQ(PF_Err_NONE, extract.err);
    EXPECT_EQ(0.0f, extract.output.normalized(30, 20).alpha) << "outside the key, alpha goes";
    EXPECT_EQ(input.normalized(30, 20).red, extract.output.normalized(30, 20).red) << "colour stays";
    EXPECT_EQ(1.0f, extract.output.normalized(12, 10).alpha);
}

TEST_F(RenderTest, FullBrightnessLiftsEveryVisibleChannelToWhite) {
    noBlur();
    host().params().setFloatValue("Brightness", 100);
    const Image input = testPicture(PF_PixelFormat_ARGB32);
    const FrameResult result = render(input);
    ASSERT_EQ(PF_Err_NONE, result.err) << result.returnMessage;
    for (int y = 0; y < input.height(); y += 5) {
        for (int x = 0; x < input.width(); x += 3) {
            const PF_Pixel8 out = result.output.at<PF_Pixel8>(x, y);
            if (out.alpha == 0) continue;  // a transparent pixel's colour comes from no one
            EXPECT_EQ(255, out.red);
            EXPECT_EQ(255, out.green);
            EXPECT_EQ(255, out.blue);
            EXPECT_EQ(input.at<PF_Pixel8>(x, y).alpha, out.alpha);
        }
    }
}

TEST_F(RenderTest, DownsampledLengthsAreScaledByTheSmallerFactor) {
    // 1/2 x 1/4 scales by 0.25: Blur Amount 10 -> 3, R 2 -> 1 ...
    host().params().setFloatValue("Blur Amount", 10);
    host().params().setFloatValue("R", 2);
    host().params().setFloatValue("G", 0);
    host().params().setFloatValue("B", 0);
    FrameRequest downsampled;
    downsampled.downsampleX = {1, 2};
    downsampled.downsampleY = {1, 4};
    const Image input = testPicture(PF_PixelFormat_ARGB64);
    const FrameResult small = render(input, downsampled);
    ASSERT_EQ(PF_Err_NONE, small.err) << small.returnMessage;

    // ... which is the same frame as those lengths at full resolution.
    host().params().setFloatValue("Blur Amount", 3);
    host().params().setFloatValue("R", 1);
    const FrameResult full = render(input);
    ASSERT_EQ(PF_Err_NONE, full.err);
    EXPECT_TRUE(small.output.samePixels(full.output));
}

// FNV-1a over the pixels, padding left out.
std::uint64_t pixelHash(const Image& image) {
    std::uint64_t hash = 1469598103934665603ull;
    for (int y = 0; y < image.height(); ++y) {
        const std::uint8_t* row = image.row(y);
        for (std::size_t i = 0; i < static_cast<std::size_t>(image.width()) * image.bytesPerPixel(); ++i) hash = (hash ^ row[i]) * 1099511628211ull;
    }
    return hash;
}

// The same frame gives the same integer bytes in every build: these hashes were taken from
// one build and every other build (the Windows one under Wine included) must match them.
TEST_F(RenderTest, IntegerDepthsRenderTheSameBytesInEveryBuild) {
    host().params().setFloatValue("Blur Amount", 2);
    host().params().setFloatValue("R", 3);
    host().params().setFloatValue("Brightness", 15);
    host().params().setValue("Blur Repeat Num", 2);
    host().params().setValue("Keep Division", 0);
    keyOnTheBlock(35);
    const FrameResult eight = render(testPicture(PF_PixelFormat_ARGB32, 64, 48));
    const FrameResult sixteen = render(testPicture(PF_PixelFormat_ARGB64, 64, 48));
    ASSERT_EQ(PF_Err_NONE, eight.err);
    ASSERT_EQ(PF_Err_NONE, sixteen.err);
    EXPECT_EQ(kExpected8BitHash, pixelHash(eight.output));
    EXPECT_EQ(kExpected16BitHash, pixelHash(sixteen.output));
}

// Whole frames at settings that take the fast ways (every pixel selected, opaque pictures)
// and the same settings on a picture with a transparent corner, in every depth: the bytes are
// those the first implementation of the effect rendered (float natively, where the maths
// library is the one those were taken with).
TEST_F(RenderTest, FramesRenderTheSameBytesAsTheFirstImplementation) {
    struct Setting {
        const char* name;
        std::vector<std::pair<const char*, double>> values;  // popups and integer sliders by number
        std::uint64_t expected[2][3];  // [transparent corner][8-bit, 16-bit, float]
    };
    const Setting settings[] = {
        {"defaults", {},
         {{5496695519113411699ull, 6226114193004960531ull, 6591901993925917332ull},
          {6997092039255100825ull, 18010078482564762646ull, 398331149936935165ull}}},
        {"brightness", {{"Brightness", 20}},
         {{3605718327032651261ull, 11724807463779201318ull, 15871418037957015221ull},
          {447514391962956403ull, 2418993716117898873ull, 9752616111790427127ull}}},
        {"gaussian", {{"Blur Type", 1}, {"Blur Amount", 4}},
         {{5667502445172596839ull, 15835905967010251790ull, 17899598022907747579ull},
          {5068092438903350596ull, 13026989214975785834ull, 16054939743787638441ull}}},
        {"small radius", {{"Blur Amount", 1}, {"G", 0}, {"B", 0}, {"Blur Repeat Num", 1}},
         {{16417589579903537911ull, 12065940212984561875ull, 8875778864239296365ull},
          {3387288029265072198ull, 8801874384789699381ull, 9804837792489709246ull}}},
        {"aspect", {{"Blur Aspect", 2}, {"Blur Repeat Num", 2}, {"R", 3}},
         {{6064380232475969441ull, 16171917618866911169ull, 4286303741448684446ull},
          {11315991428024795605ull, 5952837328273136989ull, 10348057588182178376ull}}},
    };
    for (const Setting& setting : settings) {
        SetUp();  // a fresh instance at the built-in defaults
        for (const auto& [name, value] : setting.values) {
            const std::string text = name;
            if (text == "Blur Type" || text == "Blur Repeat Num") {
                host().params().setValue(text, static_cast<A_long>(value));
            } else {
                host().params().setFloatValue(text, value);
            }
        }
        for (int corner = 0; corner < 2; ++corner) {
            for (int depth = 0; depth < 3; ++depth) {
                Image input = testPicture(kFormats[depth], 64, 48);
                if (corner == 0) {
                    for (int y = 0; y < 4; ++y) {
                        for (int x = 0; x + y < 4; ++x) input.setNormalized(x, y, {1.0f, 0.5f, 0.5f, 0.5f});
                    }
                }
                const FrameResult result = render(input);
                ASSERT_EQ(PF_Err_NONE, result.err) << setting.name;
#ifdef _WIN32
                if (kFormats[depth] == PF_PixelFormat_ARGB128) continue;  // libm may round pow and exp otherwise
#endif
                EXPECT_EQ(setting.expected[corner][depth], pixelHash(result.output))
                    << setting.name << (corner ? ", transparent corner, " : ", opaque, ")
                    << vmhost::formatName(kFormats[depth]);
            }
        }
    }
}

}  // namespace
