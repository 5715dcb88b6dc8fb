// The effect's blur against the blur as it was first written (tests/render/baseline): random
// sizes, masks, transparency, radii, aspects and repeat counts, every variant and worker
// count. Integer results must be the same bits; so must float results, whose arithmetic
// runs in the same order.
#include "tests/render/BlurTestSupport.h"
#include "tests/render/baseline/Blur.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <sstream>

namespace {

template <class Pixel>
BlurFunction<Pixel> baselineOf(const BlurVariant<Pixel>& variant) {
    if (variant.kind == KernelKind::Gaussian) {
        return variant.keepDivision ? &baseline::gaussianBlurKeepDivision<Pixel> : &baseline::gaussianBlur<Pixel>;
    }
    return variant.keepDivision ? &baseline::boxBlurKeepDivision<Pixel> : &baseline::boxBlur<Pixel>;
}

enum class MaskKind { Runs, Everything, Nothing, Scattered };

SelectionMask randomMask(PF_InData* inData, std::int32_t width, std::int32_t height, std::mt19937& random) {
    switch (std::uniform_int_distribution<int>(0, 3)(random)) {
        case 0: return makeRandomRunMask(inData, width, height, random);
        case 1: return makeMask(inData, width, height, [](std::int32_t, std::int32_t) { return true; });
        case 2: return makeMask(inData, width, height, [](std::int32_t, std::int32_t) { return false; });
        default: {
            std::bernoulli_distribution selected(0.7);
            return makeMask(inData, width, height, [&](std::int32_t, std::int32_t) { return selected(random); });
        }
    }
}

struct RandomBlur {
    A_long width, height;
    PF_LRect area;
    double transparentShare;
    double aspect;
    ChannelRadii radii;
    std::int32_t repeatCount;

    std::string describe() const {
        std::ostringstream text;
        text << width << "x" << height << " area " << area.left << "," << area.top << "-" << area.right << ","
             << area.bottom << " aspect " << aspect << " radii " << radii[0] << "/" << radii[1] << "/" << radii[2]
             << "/" << radii[3] << " repeat " << repeatCount;
        return text.str();
    }
};

// Mostly small frames with small radii, now and then a long line or a radius far past it.
RandomBlur randomBlur(std::mt19937& random) {
    std::uniform_int_distribution<int> small(1, 40), large(1, 300), coin(0, 3), repeat(1, 10);
    RandomBlur blur;
    blur.width = coin(random) == 0 ? large(random) | 1 : small(random);
    blur.height = coin(random) == 0 ? std::uniform_int_distribution<int>(1, 200)(random) : small(random);
    const A_long left = std::uniform_int_distribution<A_long>(0, std::min<A_long>(2, blur.width - 1))(random);
    const A_long top = std::uniform_int_distribution<A_long>(0, std::min<A_long>(2, blur.height - 1))(random);
    blur.area = {left, top, std::uniform_int_distribution<A_long>(left + 1, blur.width)(random),
                 std::uniform_int_distribution<A_long>(top + 1, blur.height)(random)};
    // No transparent pixel in half the frames: with a full mask, every pixel then counts.
    blur.transparentShare = coin(random) < 2 ? 0.0 : std::uniform_real_distribution<double>(0.0, 0.4)(random);
    blur.aspect = coin(random) == 0 ? 0.0 : std::uniform_real_distribution<double>(-4.0, 4.0)(random);
    for (double& r : blur.radii) {
        r = coin(random) == 0 ? std::uniform_real_distribution<double>(1.0, 420.0)(random)
                              : std::uniform_real_distribution<double>(1.0, 20.0)(random);
        if (coin(random) == 0) r = std::floor(r);
    }
    blur.repeatCount = repeat(random);
    return blur;
}

template <class Pixel>
void compareWithBaseline(const std::vector<std::unique_ptr<vmhost::Host>>& hosts, std::mt19937& random, int cases) {
    for (int k = 0; k < cases; ++k) {
        const RandomBlur blur = randomBlur(random);
        vmhost::Host& host = *hosts[static_cast<std::size_t>(k) % hosts.size()];
        BlurScene<Pixel> scene(blur.width, blur.height, blur.area);
        fillRandom(scene.source, random, blur.transparentShare);
        scene.mask = randomMask(&host.inData(), blur.area.right - blur.area.left, blur.area.bottom - blur.area.top,
                                random);
        for (const BlurVariant<Pixel>& variant : blurVariants<Pixel>()) {
            scene.prepareTargets();
            BlurScene<Pixel> expected = scene;
            ASSERT_EQ(PF_Err_NONE, baselineOf(variant)(expected.destination.world(), &host.inData(),
                                                       PF_Iterations_ONCE_PER_PROCESSOR, expected.source.world(),
                                                       expected.scratch.world(), blur.area, expected.mask, blur.aspect,
                                                       blur.radii, blur.repeatCount, nullptr));
            ASSERT_EQ(PF_Err_NONE, scene.run(variant, &host.inData(), blur.aspect, blur.radii, blur.repeatCount));
            ASSERT_TRUE(scene.destination.sameBytes(expected.destination))
                << variant.name << " " << blur.describe() << ", " << host.workerThreads() << " workers";
        }
    }
}

TEST(DifferentialBlurTest, AgreesWithTheFirstBlurEverywhere) {
    std::vector<std::unique_ptr<vmhost::Host>> hosts;
    for (int workers : {1, 2, 7}) hosts.push_back(std::make_unique<vmhost::Host>(hostWithWorkers(workers)));
    std::mt19937 random(12);
    compareWithBaseline<PF_Pixel16>(hosts, random, 60);
    compareWithBaseline<PF_PixelFloat>(hosts, random, 60);
}

}  // namespace
