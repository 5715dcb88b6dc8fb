// The effect's blur schedule done with OpenCV on the same UHD frame: the yardstick the frame
// times are held against. Each channel plane blurs on its own (split once, outside the timing):
// horizontal and vertical passes of radius r, then one pass per further repeat, alternating,
// of radius r/p, r/p^2, ... with p = r^(1/repeat). A pass of radius r has 2 * ceil(r) - 1
// taps; a one-tap pass is a copy and is left out, as any hand-written peer would.
#include "bench/FramePictures.h"
#include "bench/FrameRuns.h"

#include <benchmark/benchmark.h>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <array>
#include <cmath>
#include <vector>

namespace {

struct PeerPass {
    bool horizontal;
    int taps;
};

struct PeerCase {
    vmhost::Image (*picture)();
    int planeType;                 // CV_16U or CV_32F
    std::array<double, 4> radii;   // alpha, red, green, blue
    int repeat;
    bool gaussian;
};

int tapsFor(double radius) {
    // The tolerance keeps a radius that should be whole (8^(2/3) = 4) from rounding up a tap pair.
    return 2 * static_cast<int>(std::ceil(radius - 1e-9)) - 1;
}

std::vector<PeerPass> blurSchedule(double radius, int repeat) {
    std::vector<PeerPass> passes{{true, tapsFor(radius)}, {false, tapsFor(radius)}};
    const double step = std::pow(radius, 1.0 / repeat);
    double passRadius = radius;
    for (int i = 1; i < repeat; ++i) {
        passRadius /= step;
        passes.push_back({passes.size() % 2 == 0, tapsFor(passRadius)});
    }
    std::vector<PeerPass> blurring;
    for (const PeerPass& pass : passes) {
        if (pass.taps > 1) blurring.push_back(pass);
    }
    return blurring;
}

// The planes of a four-channel picture, in the given plane type.
std::vector<cv::Mat> channelPlanes(vmhost::Image& picture, int planeType) {
    const cv::Mat interleaved(picture.height(), picture.width(), CV_MAKETYPE(planeType, 4), picture.row(0),
                              picture.rowbytes());
    std::vector<cv::Mat> planes;
    cv::split(interleaved, planes);
    return planes;
}

// One plane through its passes; `work` holds two buffers the passes write in turn.
void blurPlane(const cv::Mat& plane, const std::vector<PeerPass>& passes, bool gaussian, std::array<cv::Mat, 2>& work) {
    const cv::Mat* source = &plane;
    for (std::size_t i = 0; i < passes.size(); ++i) {
        cv::Mat& destination = work[i % 2];
        const cv::Size size = passes[i].horizontal ? cv::Size(passes[i].taps, 1) : cv::Size(1, passes[i].taps);
        if (gaussian)
            cv::GaussianBlur(*source, destination, size, 0, 0, cv::BORDER_REPLICATE);
        else
            cv::blur(*source, destination, size, cv::Point(-1, -1), cv::BORDER_REPLICATE);
        source = &destination;
    }
}

void blurWithOpenCv(benchmark::State& state, const PeerCase& peerCase) {
    cv::setNumThreads(kBenchWorkers);
    vmhost::Image picture = peerCase.picture();
    const std::vector<cv::Mat> planes = channelPlanes(picture, peerCase.planeType);
    std::array<std::vector<PeerPass>, 4> schedules;
    for (int c = 0; c < 4; ++c) schedules[c] = blurSchedule(peerCase.radii[c], peerCase.repeat);
    std::array<std::array<cv::Mat, 2>, 4> work;
    const auto blurFrame = [&] {
        for (int c = 0; c < 4; ++c) blurPlane(planes[c], schedules[c], peerCase.gaussian, work[c]);
    };
    blurFrame();  // warm-up, and the buffers are allocated
    for (auto _ : state) {
        blurFrame();
        benchmark::ClobberMemory();
    }
    state.counters["workers"] = kBenchWorkers;
}

// The effect's defaults: red 0, green 5, blue 15, alpha following the largest, plus one; three repeats.
constexpr std::array<double, 4> kDefaultRadii = {16, 1, 6, 16};
constexpr std::array<double, 4> kRadius31 = {31, 31, 31, 31};
constexpr int kDefaultRepeat = 3;

BENCHMARK_CAPTURE(blurWithOpenCv, Box16,
                  PeerCase{smoothPicture<PF_Pixel16>, CV_16U, kDefaultRadii, kDefaultRepeat, false})
    ->Name("OpenCvBox16")
    ->Apply(frameRuns);
BENCHMARK_CAPTURE(blurWithOpenCv, Gaussian30_16,
                  PeerCase{smoothPicture<PF_Pixel16>, CV_16U, kRadius31, kDefaultRepeat, true})
    ->Name("OpenCvGaussian30_16")
    ->Apply(frameRuns);
BENCHMARK_CAPTURE(blurWithOpenCv, Gaussian30_Float,
                  PeerCase{smoothPicture<PF_PixelFloat>, CV_32F, kRadius31, kDefaultRepeat, true})
    ->Name("OpenCvGaussian30_Float")
    ->Apply(frameRuns);

}  // namespace
