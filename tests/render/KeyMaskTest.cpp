// Key colour matching: the distance, and masks built through the host's RGBtoHLS.
#include "render/KeyColorMatch.h"
#include "tests/render/RenderTestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace {

KeyColor keyColor(A_u_char red, A_u_char green, A_u_char blue, double rangePercent) {
    return KeyColor{1, PF_Pixel{255, red, green, blue}, {}, rangePercent};
}

std::vector<KeyHLS> entriesOf(vmhost::Host& host, const std::vector<KeyColor>& keys) {
    std::vector<KeyHLS> entries(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i)
        EXPECT_EQ(PF_Err_NONE, makeKeyHLS(&host.inData(), keys[i], entries[i]));
    return entries;
}

std::vector<std::uint8_t> bytesOf(const SelectionMask& mask) {
    std::vector<std::uint8_t> bytes;
    for (std::int32_t y = 0; y < mask.height; ++y) bytes.insert(bytes.end(), mask.row(y), mask.row(y) + mask.width);
    return bytes;
}

template <class Pixel>
std::vector<std::uint8_t> keyMask(vmhost::Host& host, TestWorld<Pixel>& image, const PF_LRect& area,
                                  const std::vector<KeyHLS>& entries) {
    SelectionMask mask;
    EXPECT_EQ(PF_Err_NONE, buildKeyMask<Pixel>(mask, &host.inData(), *image.world(), area, entries));
    // The workers set the flags as they go: they must be those of the finished bytes.
    const std::vector<std::uint8_t> rowFlags(mask.rowFlags, mask.rowFlags + mask.height);
    const std::vector<std::uint8_t> columnFlags(mask.columnFlags, mask.columnFlags + mask.width);
    updateMaskFlags(mask);
    EXPECT_EQ(std::vector<std::uint8_t>(mask.rowFlags, mask.rowFlags + mask.height), rowFlags);
    EXPECT_EQ(std::vector<std::uint8_t>(mask.columnFlags, mask.columnFlags + mask.width), columnFlags);
    return bytesOf(mask);
}

// One pixel at a time through the host, without any cache.
std::vector<std::uint8_t> expectedMask(vmhost::Host& host, const TestWorld<PF_Pixel8>& image, const PF_LRect& area,
                                       const std::vector<KeyHLS>& entries) {
    std::vector<std::uint8_t> mask;
    for (A_long y = area.top; y < area.bottom; ++y) {
        for (A_long x = area.left; x < area.right; ++x) {
            PF_Pixel pixel = image.at(x, y);
            bool match = false;
            if (pixel.alpha != 0) {
                PF_Fixed hls[3];
                host.utils()->colorCB.RGBtoHLS(host.inData().effect_ref, &pixel, hls);
                for (const KeyHLS& entry : entries) match = match || colorDistance(hls, entry) <= entry.threshold;
            }
            mask.push_back(match ? 255 : 0);
        }
    }
    return mask;
}

// Runs of one colour with changing alpha, some transparent, some of exactly the given
// colours, and some differing from the previous colour in one channel only.
TestWorld<PF_Pixel8> keyTestImage(A_long width, A_long height, const std::vector<PF_Pixel>& exact, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> byte(0, 255), run(1, 6), pick(0, 9);
    TestWorld<PF_Pixel8> image(width, height);
    PF_Pixel color{};
    for (A_long i = 0, left = 0; i < width * height; ++i) {
        if (left-- == 0) {
            left = run(random);
            const int which = pick(random);
            if (which < static_cast<int>(exact.size())) {
                color = exact[which];
            } else if (which >= 7) {
                setChannel(color, which - 6, static_cast<A_u_char>(byte(random)));
            } else {
                for (int c = 1; c < 4; ++c) setChannel(color, c, static_cast<A_u_char>(byte(random)));
            }
        }
        color.alpha = pick(random) == 0 ? 0 : static_cast<A_u_char>(1 + byte(random) % 255);
        image.at(i % width, i / width) = color;
    }
    return image;
}

// The scale of the distance and the threshold (the hue wrapping round: HueWrapsAroundRed).
TEST(KeyMaskTest, ColourDistance) {
    const KeyHLS red{0, 32768, 65536, 0};
    const PF_Fixed same[3] = {0, 32768, 65536};
    EXPECT_EQ(0, colorDistance(same, red));
    const PF_Fixed opposite[3] = {180 << 16, 65536, 65536};
    EXPECT_EQ(27904, colorDistance(opposite, KeyHLS{0, 0, 0, 0})) << "the largest distance";
    EXPECT_EQ(27904, keyThreshold(100.0));
    EXPECT_EQ(13952, keyThreshold(50.0));
    EXPECT_EQ(0, keyThreshold(0.0));
}

TEST(KeyMaskTest, MasksMatchOnePixelAtATimeWhateverTheWorkers) {
    const PF_Pixel teal{255, 3, 180, 245}, orange{255, 250, 120, 10};
    TestWorld<PF_Pixel8> image = keyTestImage(53, 31, {teal, orange}, 21);
    const PF_LRect area = {2, 1, 50, 31};
    // Every row starts with opaque white, whose verdict is then known before the row's
    // transparent pixels: none of them may take it.
    for (A_long y = area.top; y < area.bottom; ++y) image.at(area.left, y) = PF_Pixel{255, 255, 255, 255};
    for (int workers : {1, 2, 7}) {
        vmhost::Host host(hostWithWorkers(workers));
        const std::vector<std::vector<KeyColor>> cases = {
            {keyColor(3, 180, 245, 0)},
            {keyColor(3, 180, 245, 100)},
            {keyColor(3, 180, 245, 12.5)},
            {keyColor(3, 180, 245, 12.5), keyColor(250, 120, 10, 4)},
            {keyColor(250, 120, 10, 4), keyColor(3, 180, 245, 12.5)},
        };
        std::vector<std::vector<std::uint8_t>> masks;
        for (const auto& keys : cases) {
            masks.push_back(keyMask(host, image, area, entriesOf(host, keys)));
            EXPECT_EQ(expectedMask(host, image, area, entriesOf(host, keys)), masks.back()) << workers << " workers";
        }
        // Range 0 still takes the key's own colour; range 100 everything not transparent.
        for (std::size_t i = 0; i < masks[0].size(); ++i) {
            const PF_Pixel& pixel = image.at(area.left + i % 48, area.top + i / 48);
            if (pixel.alpha != 0 && pixel.red == teal.red && pixel.green == teal.green && pixel.blue == teal.blue) {
                EXPECT_EQ(255, masks[0][i]);
            }
            EXPECT_EQ(pixel.alpha != 0 ? 255 : 0, masks[1][i]);
        }
        EXPECT_EQ(masks[3], masks[4]) << "the order of the keys changes nothing";
        EXPECT_NE(masks[2], masks[3]) << "the second key adds pixels";
    }
}

// Red (hue 0), about 350 and about 10 degrees match within 3 %, orange (30) does not; rows 0
// and 2 stay transparent black. (keyMask holds the workers' flags; invertMask has its own test.)
TEST(KeyMaskTest, HueWrapsAroundRed) {
    vmhost::Host host(hostWithWorkers(2));
    TestWorld<PF_Pixel8> image(5, 3);
    const PF_Pixel row[5] = {
        {255, 255, 0, 0}, {255, 255, 0, 43}, {255, 255, 43, 0}, {255, 255, 128, 0}, {0, 255, 0, 0}};
    for (A_long x = 0; x < 5; ++x) image.at(x, 1) = row[x];
    std::vector<std::uint8_t> expected(15, 0);
    expected[5] = expected[6] = expected[7] = 255;
    EXPECT_EQ(expected, keyMask(host, image, {0, 0, 5, 3}, entriesOf(host, {keyColor(255, 0, 0, 3)})));
}

TEST(KeyMaskTest, EveryDepthGivesTheSameMask) {
    vmhost::Host host(hostWithWorkers(3));
    TestWorld<PF_Pixel8> narrow = keyTestImage(37, 19, {PF_Pixel{0, 3, 180, 245}}, 22);
    TestWorld<PF_Pixel16> deep(37, 19);
    TestWorld<PF_PixelFloat> real(37, 19);
    for (A_long i = 0; i < 37 * 19; ++i) {
        for (int c = 0; c < 4; ++c) {
            const int v = channelOf(narrow.at(i % 37, i / 37), c);
            setChannel(deep.at(i % 37, i / 37), c, static_cast<std::uint16_t>((v * 32768 + 128) / 255));
            setChannel(real.at(i % 37, i / 37), c, v / 255.0f);
        }
    }
    const PF_LRect area = {0, 0, 37, 19};
    const auto entries = entriesOf(host, {keyColor(3, 180, 245, 9), keyColor(200, 40, 90, 20)});
    const auto mask8 = keyMask(host, narrow, area, entries);
    EXPECT_EQ(mask8, keyMask(host, deep, area, entries));
    EXPECT_EQ(mask8, keyMask(host, real, area, entries));

    // Float values beyond 0..1 are clamped: 1.5 is white, -0.5 black, not a wrapped-around grey.
    TestWorld<PF_PixelFloat> extremes(3, 1);
    extremes.at(0, 0) = PF_PixelFloat{1, 1.5f, 1.5f, 1.5f};
    extremes.at(1, 0) = PF_PixelFloat{1, -0.5f, -0.5f, -0.5f};
    extremes.at(2, 0) = PF_PixelFloat{1, 0.5f, 0.5f, 0.5f};
    EXPECT_EQ((std::vector<std::uint8_t>{255, 0, 0}),
              keyMask(host, extremes, {0, 0, 3, 1}, entriesOf(host, {keyColor(255, 255, 255, 0)})));
    EXPECT_EQ((std::vector<std::uint8_t>{0, 255, 0}),
              keyMask(host, extremes, {0, 0, 3, 1}, entriesOf(host, {keyColor(0, 0, 0, 0)})));
}

}  // namespace
