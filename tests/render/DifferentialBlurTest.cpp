// The effect's blur against the blur as it was first written (tests/render/baseline): random
// sizes, masks, transparency, radii, aspects and repeat counts, every variant and worker
// count. Integer results must be the same bits; so must float results, whose arithmetic
// runs in the same order. The row stream the driver uses for frames in which every pixel
// counts must give the first blur's bytes too, 8-bit frames through the 16-bit blur, except
// that its float box sums run in another order: there every float is the same or one step away.
// Its masked box blur (8-bit and 16-bit frames whose selected pixels all count) must give the
// first blur's bytes at selected pixels and the input's at the others.
#include "tests/render/BlurTestSupport.h"
#include "render/DepthConversion.h"
#include "render/EveryPixelCounts.h"
#include "render/RowStreamBlur.h"
#include "tests/render/baseline/Blur.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <type_traits>

namespace {

template <class Pixel>
BlurFunction<Pixel> baselineOf(const BlurVariant<Pixel>& variant) {
    if (variant.kind == KernelKind::Gaussian) {
        return variant.keepDivision ? &baseline::gaussianBlurKeepDivision<Pixel> : &baseline::gaussianBlur<Pixel>;
    }
    return variant.keepDivision ? &baseline::boxBlurKeepDivision<Pixel> : &baseline::boxBlur<Pixel>;
}

// Scattered masks: mostly selected, or sparse specks with short runs, as a key colour picks
// them out of a noisy picture.
SelectionMask randomMask(PF_InData* inData, std::int32_t width, std::int32_t height, std::mt19937& random) {
    switch (std::uniform_int_distribution<int>(0, 4)(random)) {
        case 0: return makeRandomRunMask(inData, width, height, random);
        case 1: return makeMask(inData, width, height, [](std::int32_t, std::int32_t) { return true; });
        case 2: return makeMask(inData, width, height, [](std::int32_t, std::int32_t) { return false; });
        default: {
            std::bernoulli_distribution selected(std::uniform_int_distribution<int>(0, 1)(random) == 0 ? 0.7 : 0.12);
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
    std::uniform_int_distribution<int> small(1, 40), large(1, 300), coin(0, 3), repeat(0, 10);
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
        // Whole radii now and then; radius 1 is a window of one pixel (the defaults' red).
        if (coin(random) == 0) r = coin(random) == 0 ? 1.0 : std::floor(r);
    }
    blur.repeatCount = repeat(random);
    return blur;
}

// Sparse specks only, some rows and columns empty, so that the 16-bit box passes take the
// lists of selected pixels in some lines and bands and the line blur in the others.
SelectionMask sparseMask(PF_InData* inData, std::int32_t width, std::int32_t height, std::mt19937& random) {
    const double share = std::uniform_real_distribution<double>(0.0, 0.35)(random);
    const std::int32_t emptyRow = std::uniform_int_distribution<std::int32_t>(0, height)(random);
    const std::int32_t emptyColumn = std::uniform_int_distribution<std::int32_t>(0, width)(random);
    std::bernoulli_distribution selected(share);
    return makeMask(inData, width, height, [&](std::int32_t x, std::int32_t y) {
        return x != emptyColumn && y != emptyRow && selected(random);
    });
}

using MaskMaker = SelectionMask (*)(PF_InData*, std::int32_t, std::int32_t, std::mt19937&);

// The variants of `blur` on a random picture and selection against the first blur's.
template <class Pixel, std::size_t Variants>
void compareBlurWithBaseline(vmhost::Host& host, const RandomBlur& blur, std::mt19937& random, MaskMaker makeMask,
                             const std::array<BlurVariant<Pixel>, Variants>& variants) {
    const auto bound = host.bindCurrentThread();
    BlurScene<Pixel> scene(blur.width, blur.height, blur.area);
    fillRandom(scene.source, random, blur.transparentShare);
    scene.mask = makeMask(&host.inData(), blur.area.right - blur.area.left, blur.area.bottom - blur.area.top, random);
    for (const BlurVariant<Pixel>& variant : variants) {
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

template <class Pixel>
void compareWithBaseline(const std::vector<std::unique_ptr<vmhost::Host>>& hosts, std::mt19937& random, int cases,
                         MaskMaker makeMask = randomMask) {
    for (int k = 0; k < cases; ++k) {
        const RandomBlur blur = randomBlur(random);
        compareBlurWithBaseline(*hosts[static_cast<std::size_t>(k) % hosts.size()], blur, random, makeMask,
                                blurVariants<Pixel>());
        if (testing::Test::HasFatalFailure()) return;
    }
}

// Hosts with 1, 2 and 7 workers, so that bands of every size and emptiness come up. The blur's
// callbacks reach the host bound to the calling thread (the last one made, unless a case binds
// the one it picked).
std::vector<std::unique_ptr<vmhost::Host>> hostsWithEveryWorkerCount() {
    std::vector<std::unique_ptr<vmhost::Host>> hosts;
    for (int workers : {1, 2, 7}) hosts.push_back(std::make_unique<vmhost::Host>(hostWithWorkers(workers)));
    return hosts;
}

TEST(DifferentialBlurTest, AgreesWithTheFirstBlurEverywhere) {
    const auto hosts = hostsWithEveryWorkerCount();
    std::mt19937 random(12);
    compareWithBaseline<PF_Pixel16>(hosts, random, 60);
    compareWithBaseline<PF_PixelFloat>(hosts, random, 60);
}

TEST(DifferentialBlurTest, SparseSelectionsAgreeWithTheFirstBlur) {
    const auto hosts = hostsWithEveryWorkerCount();
    std::mt19937 random(31);
    compareWithBaseline<PF_Pixel16>(hosts, random, 60, sparseMask);
}

// 16-bit frames wide enough that the bands of the keep-division box pass down the columns
// (one to a worker: odd widths and starts with 2 and 7 workers) hold whole eights of columns and
// some beyond, which go by vectors where the processor has them. Windows of up to 63 values
// divide by float reciprocals, longer ones by double.
TEST(DifferentialBlurTest, WideKeepDivisionBoxFramesAgreeWithTheFirstBlur) {
    struct WideBlur {
        A_long width, height;
        ChannelRadii radii;
        std::int32_t repeatCount;
    };
    const WideBlur blurs[] = {
        {301, 1, {16, 1, 6, 16}, 3},      // one row
        {257, 45, {16, 1, 6, 16}, 3},     // the key frame's defaults
        {200, 2, {2, 3, 1, 2}, 1},        // two rows
        {180, 60, {1, 1, 1, 1}, 1},       // windows of one pixel
        {203, 70, {2, 2, 2, 2}, 2},       // windows reaching one row
        {190, 60, {5, 2, 9, 3}, 1},       // four reaches
        {150, 140, {32, 32, 1, 32}, 1},   // windows of 63 values
        {160, 90, {33, 1, 33, 2.5}, 1},   // windows of more than 63 values
        {131, 150, {200, 91, 3, 1}, 1},   // reaches past the runs and the frame
    };
    const auto hosts = hostsWithEveryWorkerCount();
    const std::array<BlurVariant<PF_Pixel16>, 1> keepDivisionBox = {
        {{"boxBlurKeepDivision", &boxBlurKeepDivision<PF_Pixel16>, KernelKind::Box, true}}};
    std::mt19937 random(44);
    for (const WideBlur& wide : blurs) {
        const RandomBlur blur{wide.width, wide.height, {1, 0, wide.width, wide.height}, 0.25, 0.0, wide.radii,
                              wide.repeatCount};
        for (const auto& host : hosts) {
            for (MaskMaker makeMask : {randomMask, sparseMask}) {
                compareBlurWithBaseline(*host, blur, random, makeMask, keepDivisionBox);
                if (testing::Test::HasFatalFailure()) return;
            }
        }
    }
}

// Float box windows of the stream sum in another order: every value the same or one float
// step away; everything outside the area untouched.
template <class Pixel>
bool withinOneStep(const TestWorld<Pixel>& actual, const TestWorld<Pixel>& expected) {
    for (A_long y = 0; y < actual.height(); ++y) {
        for (A_long x = 0; x < actual.width(); ++x) {
            for (int c = 0; c < 4; ++c) {
                const auto a = channelOf(actual.at(x, y), c), e = channelOf(expected.at(x, y), c);
                if (a != e && std::nextafter(e, a) != a) return false;
            }
        }
    }
    return actual.paddingIntact();
}

// An opaque random world: every pixel counts.
template <class Pixel>
void fillOpaque(TestWorld<Pixel>& world, std::mt19937& random) {
    fillRandom(world, random, 0.0);
    for (A_long y = 0; y < world.height(); ++y) {
        for (A_long x = 0; x < world.width(); ++x) {
            if (channelOf(world.at(x, y), 0) == 0) setChannel(world.at(x, y), 0, ChannelOf<Pixel>(1));
        }
    }
}

// Now and then a channel holds one value over the whole frame (as alpha does in an opaque one),
// sometimes but for one pixel anywhere, which the stream must notice wherever it is.
template <class Pixel>
void flattenSomeChannels(TestWorld<Pixel>& world, std::mt19937& random) {
    const Pixel first = world.at(0, 0), last = world.at(world.width() - 1, world.height() - 1);
    for (int c = 0; c < 4; ++c) {
        if (random() % 3 != 0) continue;
        for (A_long y = 0; y < world.height(); ++y) {
            for (A_long x = 0; x < world.width(); ++x) setChannel(world.at(x, y), c, channelOf(first, c));
        }
        if (random() % 2 == 0) {
            setChannel(world.at(static_cast<A_long>(random() % world.width()),
                                static_cast<A_long>(random() % world.height())),
                       c, channelOf(last, c));
        }
    }
}

// The depth the first implementation blurred a frame in, and the conversions to it.
template <class Pixel>
struct FirstBlurDepth {
    using Type = PF_Pixel16;
    static ChannelOf<PF_Pixel16> in(ChannelOf<Pixel> v) { return DepthConversion<Pixel>::toRow(v); }
    static ChannelOf<Pixel> out(ChannelOf<PF_Pixel16> v) { return DepthConversion<Pixel>::fromRow(v); }
};
template <>
struct FirstBlurDepth<PF_PixelFloat> {
    using Type = PF_PixelFloat;
    static float in(float v) { return v; }
    static float out(float v) { return v; }
};

// What the driver did before the stream: widen an 8-bit frame, blur it pass by pass in 16 bits,
// narrow it; 16-bit and float frames blur in their own depth. Without a mask every pixel of the
// area is selected; with one, the unselected pixels keep the source's values.
template <class Pixel>
TestWorld<Pixel> blurredTheFirstWay(vmhost::Host& host, const TestWorld<Pixel>& source, const RandomBlur& blur,
                                    StreamKernel kernel, const SelectionMask* mask = nullptr,
                                    bool keepDivision = false) {
    using Depth = FirstBlurDepth<Pixel>;
    using Wide = typename Depth::Type;
    BlurScene<Wide> scene(source.width(), source.height(), blur.area);
    for (A_long y = 0; y < source.height(); ++y) {
        for (A_long x = 0; x < source.width(); ++x) {
            for (int c = 0; c < 4; ++c) setChannel(scene.source.at(x, y), c, Depth::in(channelOf(source.at(x, y), c)));
        }
    }
    const std::int32_t width = blur.area.right - blur.area.left, height = blur.area.bottom - blur.area.top;
    const auto everything = [](std::int32_t, std::int32_t) { return true; };
    scene.mask = mask != nullptr ? *mask : makeMask(&host.inData(), width, height, everything);
    scene.prepareTargets();
    const BlurFunction<Wide> first = kernel == StreamKernel::Gaussian ? &baseline::gaussianBlur<Wide>
                                     : keepDivision                   ? &baseline::boxBlurKeepDivision<Wide>
                                                                      : &baseline::boxBlur<Wide>;
    EXPECT_EQ(PF_Err_NONE, first(scene.destination.world(), &host.inData(), PF_Iterations_ONCE_PER_PROCESSOR,
                                 scene.source.world(), scene.scratch.world(), blur.area, scene.mask, blur.aspect,
                                 blur.radii, blur.repeatCount, nullptr));
    TestWorld<Pixel> result(source.width(), source.height());
    for (A_long y = blur.area.top; y < blur.area.bottom; ++y) {
        for (A_long x = blur.area.left; x < blur.area.right; ++x) {
            if (scene.mask.row(y - blur.area.top)[x - blur.area.left] == 0) {
                result.at(x, y) = source.at(x, y);
                continue;
            }
            for (int c = 0; c < 4; ++c) {
                setChannel(result.at(x, y), c, Depth::out(channelOf(scene.destination.at(x, y), c)));
            }
        }
    }
    return result;
}

// The stream of `source` against the first blur: the same bytes (float box windows: within a
// step), with and without checking the rows as it reads them; one pixel of the area that does
// not count (transparent, or NaN), put at `spoilt` when given and anywhere otherwise, stops it.
template <class Pixel>
void checkStreamOn(vmhost::Host& host, TestWorld<Pixel>& source, const RandomBlur& blur, StreamKernel kernel,
                   std::mt19937& random, const std::string& picture = {}) {
    const auto bound = host.bindCurrentThread();
    if (!canStreamBlur<Pixel>(kernel, blur.area, blur.aspect, blur.radii, blur.repeatCount)) return;
    const TestWorld<Pixel> expected = blurredTheFirstWay(host, source, blur, kernel);
    TestWorld<Pixel> actual(blur.width, blur.height);
    ASSERT_EQ(PF_Err_NONE, streamBlur<Pixel>(&host.inData(), PF_Iterations_ONCE_PER_PROCESSOR, kernel,
                                             *source.world(), *actual.world(), blur.area, blur.aspect, blur.radii,
                                             blur.repeatCount));
    const std::string what = std::string(kernel == StreamKernel::Box ? "box " : "gaussian ") + blur.describe() +
                             ", " + std::to_string(host.workerThreads()) + " workers" + picture;
    if (std::is_same<Pixel, PF_PixelFloat>::value && kernel == StreamKernel::Box) {
        ASSERT_TRUE(withinOneStep(actual, expected)) << what;
    } else {
        ASSERT_TRUE(actual.sameBytes(expected)) << what;
    }
    bool counted = false;
    TestWorld<Pixel> checked(blur.width, blur.height);
    ASSERT_EQ(PF_Err_NONE, streamBlur<Pixel>(&host.inData(), PF_Iterations_ONCE_PER_PROCESSOR, kernel,
                                             *source.world(), *checked.world(), blur.area, blur.aspect, blur.radii,
                                             blur.repeatCount, &counted));
    ASSERT_TRUE(counted && checked.sameBytes(actual)) << what;
    TestWorld<Pixel> spoilt = source;
    const A_long x = blur.area.left + static_cast<A_long>(random() % (blur.area.right - blur.area.left));
    const A_long y = blur.area.top + static_cast<A_long>(random() % (blur.area.bottom - blur.area.top));
    if constexpr (std::is_same<Pixel, PF_PixelFloat>::value) {
        setChannel(spoilt.at(x, y), static_cast<int>(random() % 4), std::nanf(""));
    } else {
        setChannel(spoilt.at(x, y), 0, ChannelOf<Pixel>(0));
    }
    ASSERT_EQ(PF_Err_NONE, streamBlur<Pixel>(&host.inData(), PF_Iterations_ONCE_PER_PROCESSOR, kernel,
                                             *spoilt.world(), *checked.world(), blur.area, blur.aspect, blur.radii,
                                             blur.repeatCount, &counted));
    ASSERT_FALSE(counted) << what << ", pixel (" << x << ", " << y << ")";
}

template <class Pixel>
void compareStreamWithBaseline(const std::vector<std::unique_ptr<vmhost::Host>>& hosts, std::mt19937& random,
                               int cases) {
    for (int k = 0; k < cases; ++k) {
        const RandomBlur blur = randomBlur(random);
        vmhost::Host& host = *hosts[static_cast<std::size_t>(k) % hosts.size()];
        TestWorld<Pixel> source(blur.width, blur.height);
        fillOpaque(source, random);
        flattenSomeChannels(source, random);
        for (StreamKernel kernel : {StreamKernel::Box, StreamKernel::Gaussian}) {
            checkStreamOn(host, source, blur, kernel, random);
            if (testing::Test::HasFatalFailure()) return;
        }
    }
}

TEST(DifferentialBlurTest, TheRowStreamAgreesWithTheFirstBlur) {
    const auto hosts = hostsWithEveryWorkerCount();
    std::mt19937 random(21);
    compareStreamWithBaseline<PF_Pixel16>(hosts, random, 60);
    compareStreamWithBaseline<PF_Pixel8>(hosts, random, 60);
    compareStreamWithBaseline<PF_PixelFloat>(hosts, random, 60);
}

// Small radii as the small-radius path blurs with (windows reaching a few pixels, where the
// stream copies what windows over one value give), now and then a larger one; frames of a
// few tiles of flat colour.
RandomBlur smallRadiusBlur(std::mt19937& random) {
    RandomBlur blur = randomBlur(random);
    std::uniform_int_distribution<int> coin(0, 3);
    blur.width = std::uniform_int_distribution<int>(1, 220)(random);
    blur.height = std::uniform_int_distribution<int>(1, 110)(random);
    const A_long left = std::uniform_int_distribution<A_long>(0, std::min<A_long>(2, blur.width - 1))(random);
    const A_long top = std::uniform_int_distribution<A_long>(0, std::min<A_long>(2, blur.height - 1))(random);
    blur.area = {left, top, coin(random) == 0 ? std::uniform_int_distribution<A_long>(left + 1, blur.width)(random)
                                              : blur.width,
                 coin(random) == 0 ? std::uniform_int_distribution<A_long>(top + 1, blur.height)(random) : blur.height};
    blur.aspect = coin(random) == 0 ? std::uniform_real_distribution<double>(-3.0, 3.0)(random) : 0.0;
    for (double& r : blur.radii) {
        r = coin(random) == 0 ? std::uniform_real_distribution<double>(1.0, 12.0)(random)
                              : std::uniform_int_distribution<int>(2, 8)(random) / 2.0;
    }
    blur.repeatCount = std::uniform_int_distribution<int>(1, 4)(random);
    return blur;
}

template <class Pixel>
Pixel randomOpaquePixel(std::mt19937& random) {
    TestWorld<Pixel> one(1, 1);
    fillOpaque(one, random);
    return one.at(0, 0);
}

// Rectangles of random sizes in three colours over a fourth, and a few lone pixels of a fifth.
template <class Pixel>
void paintPatches(TestWorld<Pixel>& picture, std::mt19937& random) {
    std::array<Pixel, 5> colours;
    for (Pixel& colour : colours) colour = randomOpaquePixel<Pixel>(random);
    for (A_long y = 0; y < picture.height(); ++y) {
        for (A_long x = 0; x < picture.width(); ++x) picture.at(x, y) = colours[0];
    }
    auto anyX = [&] { return static_cast<A_long>(random() % picture.width()); };
    auto anyY = [&] { return static_cast<A_long>(random() % picture.height()); };
    for (int patches = std::uniform_int_distribution<int>(0, 6)(random); patches > 0; --patches) {
        const A_long left = anyX(), top = anyY();
        const A_long right = std::min(picture.width(), left + 1 + anyX() / 2);
        const A_long bottom = std::min(picture.height(), top + 1 + anyY() / 2);
        const Pixel& colour = colours[1 + random() % 3];
        for (A_long y = top; y < bottom; ++y) {
            for (A_long x = left; x < right; ++x) picture.at(x, y) = colour;
        }
    }
    for (int lone = std::uniform_int_distribution<int>(0, 4)(random); lone > 0; --lone) {
        picture.at(anyX(), anyY()) = colours[4];
    }
}

template <class Pixel>
void compareFlatPicturesWithBaseline(const std::vector<std::unique_ptr<vmhost::Host>>& hosts, std::mt19937& random,
                                     int cases) {
    for (int k = 0; k < cases; ++k) {
        const RandomBlur blur = smallRadiusBlur(random);
        vmhost::Host& host = *hosts[static_cast<std::size_t>(k) % hosts.size()];
        TestWorld<Pixel> source(blur.width, blur.height);
        paintPatches(source, random);
        for (StreamKernel kernel : {StreamKernel::Box, StreamKernel::Gaussian}) {
            checkStreamOn(host, source, blur, kernel, random, ", patches");
            if (testing::Test::HasFatalFailure()) return;
        }
    }
}

// One pixel of another value in a frame of two colours, moved along a row through every
// column and down a column through every row: every distance from the areas the stream copies,
// on either side, at the frame's and the bands' edges. The colours meet on a column where the
// stream's tiles meet (a multiple of 64). Radii small enough for the stream to copy, the first
// of them blurring down only.
template <class Pixel>
void moveOneOddPixel(const std::vector<std::unique_ptr<vmhost::Host>>& hosts, std::mt19937& random, int blurs) {
    for (int k = 0; k < blurs; ++k) {
        RandomBlur blur = smallRadiusBlur(random);
        blur.width = std::uniform_int_distribution<int>(130, 200)(random);
        blur.height = std::uniform_int_distribution<int>(66, 100)(random);
        blur.area = {static_cast<A_long>(k % 2), 0, blur.width, blur.height};
        for (double& r : blur.radii) r = k == 0 ? 1.0 : std::uniform_int_distribution<int>(2, 7)(random) / 2.0;
        blur.aspect = k == 0 ? -1.5 : blur.aspect;
        blur.repeatCount = k == 0 ? 1 : std::uniform_int_distribution<int>(1, 2)(random);
        const StreamKernel kernel = k % 3 == 2 ? StreamKernel::Gaussian : StreamKernel::Box;
        TestWorld<Pixel> twoColours(blur.width, blur.height);
        const Pixel left = randomOpaquePixel<Pixel>(random), right = randomOpaquePixel<Pixel>(random);
        const Pixel odd = randomOpaquePixel<Pixel>(random);
        const A_long meet = blur.area.left + 64 * (1 + k % 2);
        for (A_long y = 0; y < blur.height; ++y) {
            for (A_long x = 0; x < blur.width; ++x) twoColours.at(x, y) = x < meet ? left : right;
        }
        const A_long row = static_cast<A_long>(random() % blur.height);
        const A_long column = blur.area.left + static_cast<A_long>(random() % (blur.width - blur.area.left));
        for (A_long at = 0; at < blur.width + blur.height; ++at) {
            const bool along = at < blur.width;
            const A_long x = along ? at : column, y = along ? row : at - blur.width;
            TestWorld<Pixel> source = twoColours;
            source.at(x, y) = odd;
            vmhost::Host& host = *hosts[static_cast<std::size_t>(at) % hosts.size()];
            checkStreamOn(host, source, blur, kernel, random,
                          ", odd pixel at (" + std::to_string(x) + ", " + std::to_string(y) + ")");
            if (testing::Test::HasFatalFailure()) return;
        }
    }
}

TEST(DifferentialBlurTest, TheRowStreamAgreesOnFlatPictures) {
    const auto hosts = hostsWithEveryWorkerCount();
    std::mt19937 random(55);
    compareFlatPicturesWithBaseline<PF_Pixel8>(hosts, random, 150);
    compareFlatPicturesWithBaseline<PF_Pixel16>(hosts, random, 150);
    compareFlatPicturesWithBaseline<PF_PixelFloat>(hosts, random, 40);
    moveOneOddPixel<PF_Pixel8>(hosts, random, 5);
    moveOneOddPixel<PF_Pixel16>(hosts, random, 3);
}

// Every channel with the same windows, as the small-radius path's blur has them: the channels
// stream together as rows of whole pixels where every window across is narrow, and windows
// reaching a row or two down sum their rows afresh. Noise and flat patches, frames down to a
// pixel, every worker count.
struct SameWindows {
    const char* what;
    double radius;
    double aspect;
    std::int32_t repeatCount;
};

constexpr SameWindows kSameWindows[] = {
    {"a pixel each side", 2.0, 0.0, 1},
    {"two pixels each side", 3.0, 0.0, 1},
    {"narrow, repeated", 2.5, 0.0, 3},
    {"wide across, narrow down", 2.0, 3.0, 1},
    {"narrow across, wide down", 2.0, -3.0, 2},
    {"down only", 1.0, -1.5, 1},
    {"no window at all", 1.0, 0.0, 1},
};

template <class Pixel>
void compareSameWindowsWithBaseline(const std::vector<std::unique_ptr<vmhost::Host>>& hosts, std::mt19937& random,
                                    int casesEach) {
    int k = 0;
    for (const SameWindows& windows : kSameWindows) {
        for (int n = 0; n < casesEach; ++n, ++k) {
            RandomBlur blur = smallRadiusBlur(random);
            if (n % 4 == 0) {
                blur.width = std::uniform_int_distribution<int>(1, 6)(random);
                blur.height = std::uniform_int_distribution<int>(1, 6)(random);
                blur.area = {0, 0, blur.width, blur.height};
            }
            blur.radii.fill(windows.radius);
            blur.aspect = windows.aspect;
            blur.repeatCount = windows.repeatCount;
            TestWorld<Pixel> source(blur.width, blur.height);
            if (n % 2 == 0) {
                fillOpaque(source, random);
            } else {
                paintPatches(source, random);
            }
            vmhost::Host& host = *hosts[static_cast<std::size_t>(k) % hosts.size()];
            checkStreamOn(host, source, blur, StreamKernel::Box, random, std::string(", ") + windows.what);
            if (testing::Test::HasFatalFailure()) return;
        }
    }
}

TEST(DifferentialBlurTest, TheRowStreamAgreesWhenEveryChannelHasTheSameWindows) {
    const auto hosts = hostsWithEveryWorkerCount();
    std::mt19937 random(89);
    compareSameWindowsWithBaseline<PF_Pixel8>(hosts, random, 24);
    compareSameWindowsWithBaseline<PF_Pixel16>(hosts, random, 16);
}

// A frame all of one transparent colour holds no pixel that counts, though every window over
// it gives that colour back.
TEST(DifferentialBlurTest, AFlatTransparentFrameDoesNotCount) {
    const auto hosts = hostsWithEveryWorkerCount();
    for (const auto& host : hosts) {
        const auto bound = host->bindCurrentThread();
        TestWorld<PF_Pixel8> source(90, 40), destination(90, 40);
        for (A_long y = 0; y < 40; ++y) {
            for (A_long x = 0; x < 90; ++x) source.at(x, y) = PF_Pixel8{0, 10, 20, 30};
        }
        bool counted = true;
        ASSERT_EQ(PF_Err_NONE, streamBlur<PF_Pixel8>(&host->inData(), PF_Iterations_ONCE_PER_PROCESSOR,
                                                     StreamKernel::Box, *source.world(), *destination.world(),
                                                     PF_LRect{0, 0, 90, 40}, 0.0, {2, 2, 2, 2}, 1, &counted));
        EXPECT_FALSE(counted) << host->workerThreads() << " workers";
    }
}

// Random masks over a random world whose selected pixels are made opaque, so that they all
// count; unselected pixels may be transparent, which must not matter.
template <class Pixel>
void compareMaskedStreamWithBaseline(const std::vector<std::unique_ptr<vmhost::Host>>& hosts, std::mt19937& random,
                                     int cases) {
    for (int k = 0; k < cases; ++k) {
        const RandomBlur blur = randomBlur(random);
        vmhost::Host& host = *hosts[static_cast<std::size_t>(k) % hosts.size()];
        const auto bound = host.bindCurrentThread();
        if (!canStreamMaskedBlur<Pixel>(StreamKernel::Box, blur.area, blur.aspect, blur.radii, blur.repeatCount)) {
            continue;
        }
        const std::int32_t width = blur.area.right - blur.area.left, height = blur.area.bottom - blur.area.top;
        const SelectionMask mask = randomMask(&host.inData(), width, height, random);
        TestWorld<Pixel> source(blur.width, blur.height);
        fillRandom(source, random, 0.3);
        for (A_long y = blur.area.top; y < blur.area.bottom; ++y) {
            for (A_long x = blur.area.left; x < blur.area.right; ++x) {
                if (mask.row(y - blur.area.top)[x - blur.area.left] != 0 && channelOf(source.at(x, y), 0) == 0) {
                    setChannel(source.at(x, y), 0, ChannelOf<Pixel>(1));
                }
            }
        }
        bool selectedCount = false;
        ASSERT_EQ(PF_Err_NONE, checkEverySelectedPixelCounts<Pixel>(&host.inData(), PF_Iterations_ONCE_PER_PROCESSOR,
                                                                    *source.world(), blur.area, mask, selectedCount));
        ASSERT_TRUE(selectedCount);

        for (const bool keepDivision : {false, true}) {
            const TestWorld<Pixel> expected =
                blurredTheFirstWay(host, source, blur, StreamKernel::Box, &mask, keepDivision);
            TestWorld<Pixel> actual(blur.width, blur.height);
            ASSERT_EQ(PF_Err_NONE, streamMaskedBlur<Pixel>(&host.inData(), PF_Iterations_ONCE_PER_PROCESSOR,
                                                           *source.world(), *source.world(), *actual.world(),
                                                           blur.area, mask, keepDivision, blur.aspect, blur.radii,
                                                           blur.repeatCount));
            ASSERT_TRUE(actual.sameBytes(expected))
                << (keepDivision ? "keep division " : "") << blur.describe() << ", " << host.workerThreads()
                << " workers";
        }
    }
}

TEST(DifferentialBlurTest, TheMaskedRowStreamAgreesWithTheFirstBlur) {
    const auto hosts = hostsWithEveryWorkerCount();
    std::mt19937 random(34);
    compareMaskedStreamWithBaseline<PF_Pixel16>(hosts, random, 80);
    compareMaskedStreamWithBaseline<PF_Pixel8>(hosts, random, 80);
}

// The masked stream's condition: a transparent pixel matters only where it is selected.
TEST(DifferentialBlurTest, OnlySelectedPixelsMustCount) {
    vmhost::Host host(hostWithWorkers(2));
    TestWorld<PF_Pixel16> world(5, 3);
    for (A_long y = 0; y < 3; ++y) {
        for (A_long x = 0; x < 5; ++x) world.at(x, y) = PF_Pixel16{100, 1, 2, 3};
    }
    world.at(3, 1).alpha = 0;
    const PF_LRect area{1, 0, 5, 3};
    for (const bool selectTransparent : {false, true}) {
        const SelectionMask mask = makeMask(&host.inData(), 4, 3, [&](std::int32_t x, std::int32_t y) {
            return selectTransparent || !(x == 2 && y == 1);
        });
        bool every = selectTransparent;  // the opposite of the answer
        const PF_Err err = checkEverySelectedPixelCounts<PF_Pixel16>(&host.inData(), PF_Iterations_ONCE_PER_PROCESSOR,
                                                                     *world.world(), area, mask, every);
        ASSERT_EQ(PF_Err_NONE, err);
        EXPECT_EQ(!selectTransparent, every);
    }
}

}  // namespace
