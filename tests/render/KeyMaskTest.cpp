// Key colour matching: the distance, and masks built through the host's RGBtoHLS.
#include "render/KeyColorMatch.h"
#include "tests/render/RenderTestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace {

constexpr std::int32_t kDegree = 65536;

KeyColor keyColor(A_u_char red, A_u_char green, A_u_char blue, double rangePercent) {
    KeyColor key{};
    key.enable = 1;
    key.color = PF_Pixel{255, red, green, blue};
    key.range = rangePercent;
    return key;
}

std::vector<KeyHLS> entriesOf(vmhost::Host& host, const std::vector<KeyColor>& keys) {
    std::vector<KeyHLS> entries;
    for (const KeyColor& key : keys) {
        KeyHLS entry{};
        EXPECT_EQ(PF_Err_NONE, makeKeyHLS(&host.inData(), key, entry));
        entries.push_back(entry);
    }
    return entries;
}

// One pixel at a time through the host, without any cache.
std::vector<std::uint8_t> expectedMask(vmhost::Host& host, const TestWorld<PF_Pixel8>& world,
                                       const PF_LRect& area, const std::vector<KeyHLS>& entries) {
    std::vector<std::uint8_t> mask;
    for (A_long y = area.top; y < area.bottom; ++y) {
        for (A_long x = area.left; x < area.right; ++x) {
            PF_Pixel pixel = world.at(x, y);
            bool match = false;
            if (pixel.alpha != 0) {
                pixel.alpha = 255;
                PF_Fixed hls[3];
                host.utils()->colorCB.RGBtoHLS(host.inData().effect_ref, &pixel, hls);
                for (const KeyHLS& entry : entries) match = match || colorDistance(hls, entry) <= entry.threshold;
            }
            mask.push_back(match ? 255 : 0);
        }
    }
    return mask;
}

std::vector<std::uint8_t> bytesOf(const SelectionMask& mask) {
    std::vector<std::uint8_t> bytes;
    for (std::int32_t y = 0; y < mask.height; ++y) bytes.insert(bytes.end(), mask.row(y), mask.row(y) + mask.width);
    return bytes;
}

// Random colours in runs of one colour with changing alpha, a share of them transparent,
// and some pixels of exactly the given colours.
TestWorld<PF_Pixel8> keyTestImage(A_long width, A_long height, const std::vector<PF_Pixel>& exact, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> byte(0, 255), run(1, 6), pick(0, 9);
    TestWorld<PF_Pixel8> world(width, height);
    PF_Pixel color{};
    int left = 0;
    for (A_long y = 0; y < height; ++y) {
        for (A_long x = 0; x < width; ++x) {
            if (left-- == 0) {
                left = run(random);
                const int which = pick(random);
                if (which < static_cast<int>(exact.size())) {
                    color = exact[which];
                } else if (which >= 7) {
                    // The previous colour with one channel changed: the cache must compare all three.
                    setChannel(color, 1 + which - 7, static_cast<A_u_char>(byte(random)));
                } else {
                    color = PF_Pixel{0, static_cast<A_u_char>(byte(random)), static_cast<A_u_char>(byte(random)),
                                     static_cast<A_u_char>(byte(random))};
                }
            }
            color.alpha = pick(random) == 0 ? 0 : static_cast<A_u_char>(1 + byte(random) % 255);
            world.at(x, y) = color;
        }
    }
    return world;
}

TEST(KeyMaskTest, ColourDistance) {
    const KeyHLS red{0, 32768, 65536, 0};
    const PF_Fixed same[3] = {0, 32768, 65536};
    EXPECT_EQ(0, colorDistance(same, red));
    // 350 and 0 degrees are 10 degrees apart: 10 * 65536 >> 7 >> 3 = 640.
    const PF_Fixed nearlyRed[3] = {350 * kDegree, 32768, 65536};
    EXPECT_EQ(640, colorDistance(nearlyRed, red));
    const PF_Fixed tenDegrees[3] = {10 * kDegree, 32768, 65536};
    EXPECT_EQ(640, colorDistance(tenDegrees, red));
    // Opposite hue, lightness and saturation: the largest distance, which range 100 matches.
    const KeyHLS black{0, 0, 0, 0};
    const PF_Fixed opposite[3] = {180 * kDegree, 65536, 65536};
    EXPECT_EQ(27904, colorDistance(opposite, black));
    EXPECT_EQ(27904, keyThreshold(100.0));
    EXPECT_EQ(0, keyThreshold(0.0));
    EXPECT_EQ(13952, keyThreshold(50.0));
}

TEST(KeyMaskTest, MasksMatchOnePixelAtATime) {
    vmhost::Host host(hostWithWorkers(3));
    const PF_Pixel teal{255, 3, 180, 245}, orange{255, 250, 120, 10};
    TestWorld<PF_Pixel8> image = keyTestImage(53, 31, {teal, orange}, 21);
    const PF_LRect area = {2, 1, 50, 31};

    struct Case {
        std::vector<KeyColor> keys;
    };
    const std::vector<Case> cases = {
        {{keyColor(3, 180, 245, 0)}},
        {{keyColor(3, 180, 245, 100)}},
        {{keyColor(3, 180, 245, 12.5)}},
        {{keyColor(3, 180, 245, 12.5), keyColor(250, 120, 10, 4)}},
        {{keyColor(250, 120, 10, 4), keyColor(3, 180, 245, 12.5)}},
    };
    std::vector<std::vector<std::uint8_t>> masks;
    SelectionMask mask;  // reused: built over the same area, it keeps its buffer
    for (const Case& test : cases) {
        const auto entries = entriesOf(host, test.keys);
        ASSERT_EQ(PF_Err_NONE, buildKeyMask<PF_Pixel8>(mask, &host.inData(), *image.world(), area, entries));
        masks.push_back(bytesOf(mask));
        EXPECT_EQ(expectedMask(host, image, area, entries), masks.back());

        // Flags agree with the bytes.
        for (std::int32_t y = 0; y < mask.height; ++y) {
            bool any = false;
            for (std::int32_t x = 0; x < mask.width; ++x) any = any || mask.row(y)[x] != 0;
            EXPECT_EQ(any ? 1 : 0, mask.rowFlags[y]);
        }
        for (std::int32_t x = 0; x < mask.width; ++x) {
            bool any = false;
            for (std::int32_t y = 0; y < mask.height; ++y) any = any || mask.row(y)[x] != 0;
            EXPECT_EQ(any ? 1 : 0, mask.columnFlags[x]);
        }
    }
    EXPECT_EQ(1, host.handles().outstanding());

    // Range 0 still takes the key's own colour; range 100 takes everything not transparent.
    std::size_t i = 0;
    for (A_long y = area.top; y < area.bottom; ++y) {
        for (A_long x = area.left; x < area.right; ++x, ++i) {
            const PF_Pixel& pixel = image.at(x, y);
            const bool isTeal = pixel.red == teal.red && pixel.green == teal.green && pixel.blue == teal.blue;
            if (pixel.alpha != 0 && isTeal) {
                EXPECT_EQ(255, masks[0][i]);
            }
            EXPECT_EQ(pixel.alpha != 0 ? 255 : 0, masks[1][i]);
        }
    }
    EXPECT_EQ(masks[3], masks[4]) << "the order of the keys changes nothing";
    EXPECT_NE(masks[2], masks[3]) << "the second key adds pixels";

    // Inverted, the transparent pixels are selected.
    invertMask(mask);
    i = 0;
    for (A_long y = area.top; y < area.bottom; ++y) {
        for (A_long x = area.left; x < area.right; ++x, ++i) {
            if (image.at(x, y).alpha == 0) {
                EXPECT_NE(0, mask.row(y - area.top)[x - area.left]);
            }
        }
    }
}

TEST(KeyMaskTest, HueWrapsAroundRed) {
    vmhost::Host host(hostWithWorkers(2));
    TestWorld<PF_Pixel8> image(4, 1);
    image.at(0, 0) = PF_Pixel{255, 255, 0, 0};    // red, hue 0
    image.at(1, 0) = PF_Pixel{255, 255, 0, 43};   // hue about 350
    image.at(2, 0) = PF_Pixel{255, 255, 43, 0};   // hue about 10
    image.at(3, 0) = PF_Pixel{255, 255, 128, 0};  // orange, hue about 30
    SelectionMask mask;
    ASSERT_EQ(PF_Err_NONE, buildKeyMask<PF_Pixel8>(mask, &host.inData(), *image.world(), {0, 0, 4, 1},
                                                   entriesOf(host, {keyColor(255, 0, 0, 3)})));
    EXPECT_EQ((std::vector<std::uint8_t>{255, 255, 255, 0}), bytesOf(mask));
}

TEST(KeyMaskTest, EveryDepthGivesTheSameMask) {
    vmhost::Host host(hostWithWorkers(3));
    TestWorld<PF_Pixel8> narrow = keyTestImage(37, 19, {PF_Pixel{0, 3, 180, 245}}, 22);
    TestWorld<PF_Pixel16> deep(37, 19);
    TestWorld<PF_PixelFloat> real(37, 19);
    for (A_long y = 0; y < 19; ++y) {
        for (A_long x = 0; x < 37; ++x) {
            for (int c = 0; c < 4; ++c) {
                const int v = channelOf(narrow.at(x, y), c);
                setChannel(deep.at(x, y), c, static_cast<std::uint16_t>((v * 32768 + 128) / 255));
                setChannel(real.at(x, y), c, v / 255.0f);
            }
        }
    }
    const PF_LRect area = {0, 0, 37, 19};
    const auto entries = entriesOf(host, {keyColor(3, 180, 245, 9), keyColor(200, 40, 90, 20)});
    SelectionMask mask8, mask16, maskFloat;
    ASSERT_EQ(PF_Err_NONE, buildKeyMask<PF_Pixel8>(mask8, &host.inData(), *narrow.world(), area, entries));
    ASSERT_EQ(PF_Err_NONE, buildKeyMask<PF_Pixel16>(mask16, &host.inData(), *deep.world(), area, entries));
    ASSERT_EQ(PF_Err_NONE, buildKeyMask<PF_PixelFloat>(maskFloat, &host.inData(), *real.world(), area, entries));
    EXPECT_EQ(bytesOf(mask8), bytesOf(mask16));
    EXPECT_EQ(bytesOf(mask8), bytesOf(maskFloat));

    // Float values beyond 0..1 are clamped: 1.5 is white, -0.5 black, not a wrapped-around grey.
    TestWorld<PF_PixelFloat> extremes(3, 1);
    extremes.at(0, 0) = PF_PixelFloat{1, 1.5f, 1.5f, 1.5f};
    extremes.at(1, 0) = PF_PixelFloat{1, -0.5f, -0.5f, -0.5f};
    extremes.at(2, 0) = PF_PixelFloat{1, 0.5f, 0.5f, 0.5f};
    ASSERT_EQ(PF_Err_NONE, buildKeyMask<PF_PixelFloat>(maskFloat, &host.inData(), *extremes.world(), {0, 0, 3, 1},
                                                       entriesOf(host, {keyColor(255, 255, 255, 0)})));
    EXPECT_EQ((std::vector<std::uint8_t>{255, 0, 0}), bytesOf(maskFloat));
    ASSERT_EQ(PF_Err_NONE, buildKeyMask<PF_PixelFloat>(maskFloat, &host.inData(), *extremes.world(), {0, 0, 3, 1},
                                                       entriesOf(host, {keyColor(0, 0, 0, 0)})));
    EXPECT_EQ((std::vector<std::uint8_t>{0, 255, 0}), bytesOf(maskFloat));
}

TEST(KeyMaskTest, ResultsDoNotDependOnTheNumberOfWorkers) {
    TestWorld<PF_Pixel8> image = keyTestImage(61, 43, {PF_Pixel{0, 3, 180, 245}}, 23);
    std::vector<std::uint8_t> alone;
    for (int workers : {1, 2, 7}) {
        vmhost::Host host(hostWithWorkers(workers));
        SelectionMask mask;
        ASSERT_EQ(PF_Err_NONE,
                  buildKeyMask<PF_Pixel8>(mask, &host.inData(), *image.world(),
                                          {0, 0, 61, 43}, entriesOf(host, {keyColor(3, 180, 245, 15)})));
        if (workers == 1) alone = bytesOf(mask);
        EXPECT_EQ(alone, bytesOf(mask)) << workers << " workers";
    }
}

}  // namespace
