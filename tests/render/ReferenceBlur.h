#pragma once
// The blur computed the slow, direct way: every window summed afresh for every pixel and
// channel, lines walked in place rather than gathered. The effect's sliding sums, spans,
// peak convolution and column gathering must give the same numbers.

#include "render/BlurPlan.h"
#include "render/GaussKernel.h"
#include "render/SelectionMask.h"
#include "tests/render/RenderTestSupport.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <type_traits>

enum class KernelKind { Gaussian, Box };

struct WindowSums {
    double valueSum = 0;          // S (exact for 16-bit data)
    std::int64_t count = 0;       // N
    double peakSum = 0;           // A, unscaled: sum of value * weight
    std::int64_t peakWeight = 0;  // W
};

inline std::uint16_t referenceValue16(const WindowSums& sums, const GaussKernel* kernel, std::uint16_t own) {
    const auto s = static_cast<std::uint64_t>(sums.valueSum);
    const auto n = static_cast<std::uint64_t>(sums.count);
    if (kernel == nullptr) return static_cast<std::uint16_t>((s + n / 2) / n);
    const auto a = static_cast<std::uint64_t>(sums.peakSum);
    const auto w = static_cast<std::uint64_t>(sums.peakWeight);
    if (kernel->tailTotal != 0) {
        const std::uint64_t peak = w == 0 ? 0 : a / w;
        return static_cast<std::uint16_t>((peak * (32768 - kernel->tailTotal) + 16384 + (s / n) * kernel->tailTotal) /
                                          32768);
    }
    return w == 0 ? own : static_cast<std::uint16_t>((a + w / 2) / w);
}

inline float referenceValueFloat(const WindowSums& sums, const GaussKernel* kernel, float own) {
    const double mean = sums.valueSum / static_cast<double>(sums.count);
    if (kernel == nullptr) return static_cast<float>(mean);
    const double peak = sums.peakWeight == 0 ? 0.0 : sums.peakSum / static_cast<double>(sums.peakWeight);
    if (kernel->tailTotal != 0) {
        const double share = kernel->tailTotal / 32768.0;
        return static_cast<float>(mean * share + peak * (1.0 - share));
    }
    return sums.peakWeight == 0 ? own : static_cast<float>(peak);
}

// One pass from `from` into `to` over `area`.
template <class Pixel>
void referencePass(const TestWorld<Pixel>& from, TestWorld<Pixel>& to, const PF_LRect& area, const SelectionMask& mask,
                   const BlurPassPlan& pass, KernelKind kind, bool keepDivision) {
    const bool horizontal = pass.direction == BlurDirection::Horizontal;
    const std::int32_t width = area.right - area.left;
    const std::int32_t height = area.bottom - area.top;
    const std::int32_t lines = horizontal ? height : width;
    const std::int32_t length = horizontal ? width : height;
    auto at = [&](std::int32_t line, std::int32_t pos, std::int32_t& x, std::int32_t& y) {
        x = horizontal ? pos : line;
        y = horizontal ? line : pos;
    };
    auto selected = [&](std::int32_t line, std::int32_t pos) {
        std::int32_t x, y;
        at(line, pos, x, y);
        return mask.row(y)[x] != 0;
    };

    for (int c = 0; c < 4; ++c) {
        const double r = pass.radii[c];
        const std::int32_t size = r > 1.0 ? static_cast<std::int32_t>(std::ceil(r)) : 1;
        const GaussKernel kernel = makeGaussKernel(size, pass.number <= 2 ? r * r / 8 : r * r);
        const GaussKernel* gauss = kind == KernelKind::Gaussian ? &kernel : nullptr;
        const std::int32_t reach = size - 1;

        for (std::int32_t line = 0; line < lines; ++line) {
            for (std::int32_t pos = 0; pos < length; ++pos) {
                if (!selected(line, pos)) continue;
                std::int32_t lo = std::max(0, pos - reach);
                std::int32_t hi = std::min(length - 1, pos + reach);
                if (keepDivision) {
                    std::int32_t runStart = pos, runEnd = pos;
                    while (runStart > 0 && selected(line, runStart - 1)) --runStart;
                    while (runEnd < length - 1 && selected(line, runEnd + 1)) ++runEnd;
                    lo = std::max(lo, runStart);
                    hi = std::min(hi, runEnd);
                }
                WindowSums sums;
                for (std::int32_t other = lo; other <= hi; ++other) {
                    if (!selected(line, other)) continue;
                    std::int32_t x, y;
                    at(line, other, x, y);
                    const Pixel& pixel = from.at(area.left + x, area.top + y);
                    if (c != 0 && channelOf(pixel, 0) == 0) continue;
                    const double value = channelOf(pixel, c);
                    sums.valueSum += value;
                    ++sums.count;
                    const std::int32_t distance = std::abs(other - pos);
                    if (gauss != nullptr && distance < gauss->count) {
                        sums.peakSum += value * gauss->weights[distance];
                        sums.peakWeight += gauss->weights[distance];
                    }
                }
                if (sums.count == 0) continue;
                std::int32_t x, y;
                at(line, pos, x, y);
                const Pixel& own = from.at(area.left + x, area.top + y);
                Pixel& target = to.at(area.left + x, area.top + y);
                if constexpr (std::is_same<Pixel, PF_Pixel16>::value) {
                    setChannel(target, c, referenceValue16(sums, gauss, channelOf(own, c)));
                } else {
                    setChannel(target, c, referenceValueFloat(sums, gauss, channelOf(own, c)));
                }
            }
        }
    }
}

// The whole call: n + 1 passes between `destination` and `scratch`, as the effect runs them.
template <class Pixel>
void referenceBlur(const TestWorld<Pixel>& source, TestWorld<Pixel>& destination, TestWorld<Pixel>& scratch,
                   const PF_LRect& area, const SelectionMask& mask, KernelKind kind, bool keepDivision, double aspect,
                   const ChannelRadii& radii, std::int32_t repeatCount) {
    TestWorld<Pixel>* oddTarget = repeatCount % 2 == 1 ? &scratch : &destination;
    TestWorld<Pixel>* evenTarget = repeatCount % 2 == 1 ? &destination : &scratch;
    const TestWorld<Pixel>* from = &source;
    for (const BlurPassPlan& pass : planBlurPasses(aspect, radii, repeatCount)) {
        TestWorld<Pixel>* to = pass.number % 2 == 1 ? oddTarget : evenTarget;
        referencePass(*from, *to, area, mask, pass, kind, keepDivision);
        from = to;
    }
}
