// The gates in front of the edge smoothing steps pass over only steps that would do nothing:
// on random flag maps (any combination of flags, also those few pictures give) every pixel
// comes out the same with its gates, tested on the spot or looked up in the cache, as with
// every step tried.
#include "Picture.h"
#include "WorldSuiteFixture.h"
#include "render/EdgeSmoothSettings.h"
#include "render/EdgeSmoothingScan.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace {

class StepGatesTest : public WorldSuiteFixture {
protected:
    // Each flag set with probability `density` where the map builder may set it: a right
    // difference needs a pixel to the right, the others a row below.
    void fillRandomly(EdgeFlagMap& map, std::mt19937& random, double density) {
        std::bernoulli_distribution coin(density);
        for (int y = 0; y < map.height(); ++y) {
            for (int x = 0; x < map.width(); ++x) {
                const bool right = x + 1 < map.width(), below = y + 1 < map.height();
                std::uint8_t flags = 0;
                if (right && coin(random)) flags |= FlagRight;
                if (below && coin(random)) flags |= FlagDown;
                if (right && below && coin(random)) flags |= FlagDiagonal;
                if (right && below && coin(random)) flags |= FlagAntiDiagonal;
                map.set(x, y, flags);
            }
        }
    }

    // The source smoothed at every pixel with a right or down difference, in the pass's order,
    // each pixel's steps gated by gatesAt(window).
    template <class GatesAt>
    Picture<PF_Pixel8> smoothedWith(const EdgeFlagMap& map, Picture<PF_Pixel8>& source, std::uint32_t strength,
                                    std::int32_t curve, GatesAt gatesAt) {
        Picture<PF_Pixel8> out(source);
        EdgeBlendLog<PF_Pixel8> log;
        log.start(source.world(), out.world(), 0, source.height(), 0);
        const EdgeSmoothContext<PF_Pixel8> context(map, source.world(), log, strength, curve);
        for (int y = 0; y < map.height(); ++y) {
            for (int x = 0; x < map.width(); ++x) {
                if ((map.at(x, y) & (FlagRight | FlagDown)) != 0) {
                    smoothFlaggedPixel(context, x, y, gatesAt(EdgeFlagWindow(map, x, y)));
                }
            }
        }
        return out;
    }

};

TEST_F(StepGatesTest, GatedStepsBlendAsEveryStepTried) {
    std::mt19937 random(12);
    std::uniform_int_distribution<int> size(1, 24), channel(0, 255), kind(0, 9);
    for (int k = 0; k < 600; ++k) {
        const int width = size(random), height = size(random);
        const double density = std::uniform_real_distribution<double>(0.1, 0.9)(random);
        EdgeFlagMap map;
        ASSERT_EQ(PF_Err_NONE, map.create(*worldSuite, host.inData().effect_ref, width, height));
        fillRandomly(map, random, density);
        // Mostly opaque colours, some transparent and half-covered pixels for the other blends.
        Picture<PF_Pixel8> source(width, height, PF_Pixel8{});
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const int alpha = kind(random) == 0 ? 0 : kind(random) == 0 ? channel(random) : 255;
                source.at(x, y) = PF_Pixel8{A_u_char(alpha), A_u_char(channel(random)), A_u_char(channel(random)),
                                            A_u_char(channel(random))};
            }
        }
        EdgeSmoothSettings settings;
        setEdgeSmoothDefaults(settings);
        if (k % 3 == 0) {
            settings.strength = std::uniform_int_distribution<std::uint32_t>(1, 200)(random);
            settings.curve = std::uniform_int_distribution<std::int32_t>(-100, 100)(random);
        }

        const auto everyStep = [](const EdgeFlagWindow&) { return KnownGates(~0u); };
        const auto onTheSpot = [](const EdgeFlagWindow& window) { return WindowGates(window); };
        StepGateCache cache;
        const auto lookedUp = [&cache](const EdgeFlagWindow& window) { return cache.gates(window); };
        const Picture<PF_Pixel8> expected = smoothedWith(map, source, settings.strength, settings.curve, everyStep);
        std::ostringstream what;
        what << width << "x" << height << ", density " << density << ", strength " << settings.strength
             << " curve " << settings.curve << ", map " << k;
        ASSERT_TRUE(smoothedWith(map, source, settings.strength, settings.curve, onTheSpot).samePixels(expected))
            << "gates tested on the spot, " << what.str();
        ASSERT_TRUE(smoothedWith(map, source, settings.strength, settings.curve, lookedUp).samePixels(expected))
            << "gates from the cache, " << what.str();
    }
}

}  // namespace
