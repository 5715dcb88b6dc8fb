// The edge smoothing pass against the pass as it was first written (tests/render/baseline):
// random cel art (flat colours, staircases, one-pixel lines, lone pixels and blocks, colours
// closer than the threshold, transparent areas) and random noise, at every size from 1 x 1
// up, in the three depths, on hosts with 1, 2 and 7 workers. The result must be the same bytes.
#include "Picture.h"
#include "host/Host.h"
#include "render/EdgeSmoothDepth.h"
#include "render/EdgeSmoothing.h"
#include "tests/render/baseline/EdgeSmoothing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A pixel of the depth from 8-bit channel values, or from values spread over the depth's range.
template <class Pixel>
Pixel randomPixel(std::mt19937& random, bool transparentAllowed);
template <>
PF_Pixel8 randomPixel<PF_Pixel8>(std::mt19937& random, bool transparentAllowed) {
    std::uniform_int_distribution<int> value(0, 255), coin(0, 5);
    const int alpha = transparentAllowed && coin(random) == 0 ? 0 : coin(random) == 0 ? value(random) : 255;
    return {A_u_char(alpha), A_u_char(value(random)), A_u_char(value(random)), A_u_char(value(random))};
}
template <>
PF_Pixel16 randomPixel<PF_Pixel16>(std::mt19937& random, bool transparentAllowed) {
    std::uniform_int_distribution<int> value(0, 32768), coin(0, 5);
    const int alpha = transparentAllowed && coin(random) == 0 ? 0 : coin(random) == 0 ? value(random) : 32768;
    return {A_u_short(alpha), A_u_short(value(random)), A_u_short(value(random)), A_u_short(value(random))};
}
template <>
PF_PixelFloat randomPixel<PF_PixelFloat>(std::mt19937& random, bool transparentAllowed) {
    std::uniform_real_distribution<float> value(0.0f, 1.0f);
    std::uniform_int_distribution<int> coin(0, 5);
    const float alpha = transparentAllowed && coin(random) == 0 ? 0.0f : coin(random) == 0 ? value(random) : 1.0f;
    return {alpha, value(random), value(random), value(random)};
}

// A colour a few 8-bit levels away from `base`, on either side of the pass's threshold of 10.
PF_Pixel8 nearColour(PF_Pixel8 base, std::mt19937& random) {
    std::uniform_int_distribution<int> shift(-4, 4);
    auto nudge = [&](A_u_char v) { return A_u_char(std::clamp(int(v) + shift(random), 0, 255)); };
    return {base.alpha, nudge(base.red), nudge(base.green), nudge(base.blue)};
}

// Flat areas of a few colours with the shapes the pass looks for.
template <class Pixel>
void paintCelArt(Picture<Pixel>& picture, std::mt19937& random) {
    const int w = picture.width(), h = picture.height();
    std::vector<PF_Pixel8> palette;
    for (int k = std::uniform_int_distribution<int>(2, 5)(random); k > 0; --k) {
        palette.push_back(randomPixel<PF_Pixel8>(random, true));
        if (palette.back().alpha != 0) palette.back().alpha = 255;
    }
    palette.push_back(nearColour(palette[0], random));
    std::uniform_int_distribution<std::size_t> pick(0, palette.size() - 1);
    std::uniform_int_distribution<int> anyX(-2, w + 1), anyY(-2, h + 1), size(1, 12), period(1, 6);
    auto put = [&](int x, int y, const PF_Pixel8& c) {
        if (x >= 0 && y >= 0 && x < w && y < h) picture.at(x, y) = inDepth<Pixel>(c);
    };
    const PF_Pixel8 background = palette[pick(random)];
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) put(x, y, background);
    }
    for (int shapes = std::uniform_int_distribution<int>(1, 2 + w * h / 60)(random); shapes > 0; --shapes) {
        const PF_Pixel8 colour = palette[pick(random)];
        const int cx = anyX(random), cy = anyY(random), r = size(random);
        switch (std::uniform_int_distribution<int>(0, 5)(random)) {
        case 0:  // rectangle, 2 x 2 blocks among them
            for (int y = cy; y < cy + std::min(r, 2 + r % 3); ++y) {
                for (int x = cx; x < cx + r; ++x) put(x, y, colour);
            }
            break;
        case 1:  // disc: staircases all round
            for (int y = cy - r; y <= cy + r; ++y) {
                for (int x = cx - r; x <= cx + r; ++x) {
                    if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r) put(x, y, colour);
                }
            }
            break;
        case 2:  // one-pixel diagonal, either way
        {
            const int dx = random() % 2 ? 1 : -1;
            for (int t = 0; t < 3 * r; ++t) put(cx + dx * t, cy + t, colour);
            break;
        }
        case 3:  // a stepped horizon down to the bottom
        {
            const int step = period(random), rise = period(random);
            for (int x = 0; x < w; ++x) {
                for (int y = cy + (x / step) % (rise + 1); y < h; ++y) put(x, y, colour);
            }
            break;
        }
        case 4:  // one-pixel line, horizontal or vertical
            for (int t = 0; t < r; ++t) random() % 2 ? put(cx + t, cy, colour) : put(cx, cy + t, colour);
            break;
        default:  // lone pixel
            put(cx, cy, colour);
        }
    }
}

// Random pixels, most of them repeating a neighbour or a close colour, so that every flag
// and every pattern of flags comes up.
template <class Pixel>
void paintNoise(Picture<Pixel>& picture, std::mt19937& random) {
    std::uniform_int_distribution<int> choice(0, 9);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const int c = choice(random);
            if (c < 3 && x > 0) {
                picture.at(x, y) = picture.at(x - 1, y);
            } else if (c < 6 && y > 0) {
                picture.at(x, y) = picture.at(x, y - 1);
            } else if (c < 8) {
                picture.at(x, y) = inDepth<Pixel>(nearColour(PF_Pixel8{255, 120, 60, 200}, random));
            } else {
                picture.at(x, y) = randomPixel<Pixel>(random, true);
            }
        }
    }
}

struct Size {
    int width, height;
};

Size randomSize(std::mt19937& random, int k) {
    // The degenerate shapes first, then mostly small pictures with now and then a wide one.
    static const Size fixed[] = {{1, 1}, {1, 9}, {13, 1}, {2, 2}, {3, 2}, {5, 4}};
    if (k < int(std::size(fixed))) return fixed[k];
    std::uniform_int_distribution<int> small(1, 40), large(41, 160), coin(0, 4);
    return {coin(random) == 0 ? large(random) | 1 : small(random), coin(random) == 0 ? large(random) : small(random)};
}

// The render driver's settings in most cases; otherwise strength, bend and threshold vary.
void randomSettings(EdgeSmoothSettings& settings, std::mt19937& random) {
    if (random() % 3 != 0) return;
    settings.strength = std::uniform_int_distribution<std::uint32_t>(0, 200)(random);
    settings.curve = std::uniform_int_distribution<std::int32_t>(-100, 100)(random);
    settings.threshold = std::uniform_int_distribution<std::uint32_t>(0, 60)(random);
}

class DifferentialSmoothingTest : public ::testing::Test {
protected:
    DifferentialSmoothingTest() {
        for (int workers : {1, 2, 7}) {
            vmhost::HostConfig config = vmhost::HostConfig::checking();
            config.workerThreads = workers;
            hosts.push_back(std::make_unique<vmhost::Host>(config));
        }
    }

    template <class Pixel>
    PF_Err smoothLent(vmhost::Host& host, PF_Err (*smooth)(const EdgeSmoothSettings&), Picture<Pixel>& in,
                      Picture<Pixel>& out, EdgeSmoothSettings settings) {
        // The pass's callbacks reach the host bound to this thread, else the last one made.
        const auto bound = host.bindCurrentThread();
        vmhost::WorldStore::Loan source(host.context().worlds(), in.world(), EdgeSmoothDepth<Pixel>::kPixelFormat);
        vmhost::WorldStore::Loan destination(host.context().worlds(), out.world(),
                                             EdgeSmoothDepth<Pixel>::kPixelFormat);
        settings.inData = &host.inData();
        settings.pixelFormat = EdgeSmoothDepth<Pixel>::kPixelFormat;
        settings.source = &in.world();
        settings.destination = &out.world();
        return smooth(settings);
    }

    template <class Pixel>
    void compareWithBaseline(std::mt19937& random, int cases) {
        for (int k = 0; k < cases; ++k) {
            const Size size = randomSize(random, k);
            vmhost::Host& host = *hosts[std::size_t(k) % hosts.size()];
            Picture<Pixel> in(size.width, size.height, Pixel{});
            const bool celArt = random() % 3 != 0;
            celArt ? paintCelArt(in, random) : paintNoise(in, random);
            EdgeSmoothSettings settings;
            setEdgeSmoothDefaults(settings);
            randomSettings(settings, random);

            Picture<Pixel> expected(size.width, size.height, Pixel{}, Picture<Pixel>::kDestinationPadding);
            Picture<Pixel> actual(size.width, size.height, Pixel{}, Picture<Pixel>::kDestinationPadding);
            ASSERT_EQ(PF_Err_NONE, smoothLent(host, &baseline::smoothEdges, in, expected, settings));
            ASSERT_EQ(PF_Err_NONE, smoothLent(host, &smoothEdges, in, actual, settings));
            std::ostringstream what;
            what << (celArt ? "cel art " : "noise ") << size.width << "x" << size.height << ", strength "
                 << settings.strength << " curve " << settings.curve << " threshold " << settings.threshold << ", "
                 << host.workerThreads() << " workers, case " << k;
            ASSERT_TRUE(actual.samePixels(expected)) << what.str();
            ASSERT_TRUE(actual.paddingIntact()) << what.str();
            ASSERT_EQ(0, host.context().worlds().outstanding()) << what.str();
        }
    }

    // A frame of one colour has no edge: the first pass gives it back as it is (the render
    // driver leaves such frames unsmoothed), and so does this one.
    template <class Pixel>
    void smoothOneColour(std::mt19937& random, int cases) {
        for (int k = 0; k < cases; ++k) {
            const Size size = randomSize(random, k);
            vmhost::Host& host = *hosts[std::size_t(k) % hosts.size()];
            Picture<Pixel> in(size.width, size.height, randomPixel<Pixel>(random, true));
            EdgeSmoothSettings settings;
            setEdgeSmoothDefaults(settings);
            for (auto* smooth : {&baseline::smoothEdges, &smoothEdges}) {
                Picture<Pixel> out(size.width, size.height, Pixel{}, Picture<Pixel>::kDestinationPadding);
                ASSERT_EQ(PF_Err_NONE, smoothLent(host, smooth, in, out, settings));
                ASSERT_TRUE(out.samePixels(in)) << size.width << "x" << size.height << ", case " << k;
            }
        }
    }

    std::vector<std::unique_ptr<vmhost::Host>> hosts;
};

TEST_F(DifferentialSmoothingTest, AgreesWithTheFirstPassEverywhere) {
    std::mt19937 random(45);
    compareWithBaseline<PF_Pixel8>(random, 300);
    compareWithBaseline<PF_Pixel16>(random, 120);
    compareWithBaseline<PF_PixelFloat>(random, 120);
}

TEST_F(DifferentialSmoothingTest, AFrameOfOneColourComesBackAsItIs) {
    std::mt19937 random(46);
    smoothOneColour<PF_Pixel8>(random, 40);
    smoothOneColour<PF_Pixel16>(random, 40);
}

}  // namespace
