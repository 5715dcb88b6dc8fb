#include "render/GaussKernel.h"

#include <cmath>

namespace {

double gaussAt(std::int32_t i, double variance) {
    const double d = static_cast<double>(i);
    return std::exp(-0.5 * d * d / variance);
}

GaussKernel identityKernel() {
    GaussKernel kernel;
    kernel.weights = AEUtil::SharedArray<std::uint16_t>(new std::uint16_t[1]{kKernelOne});
    kernel.count = 1;
    kernel.size = 1;
    return kernel;
}

// Truncation leaves the fixed-point sum short of 32768; the missing units are spread
// over the peak weights, each outer weight counting twice in the symmetric kernel.
void makeSumExact(GaussKernel& kernel) {
    std::uint16_t* weights = kernel.weights.get();
    std::int64_t sum = static_cast<std::int64_t>(2 * kernel.size - 1) * kernel.tail - weights[0];
    for (std::int32_t i = 0; i < kernel.count; ++i) sum += 2 * static_cast<std::int64_t>(weights[i]);
    std::int64_t missing = kKernelOne - sum;
    if (missing >= 2) {
        for (std::int32_t i = 0; missing > 1; ++i) {
            const std::int32_t j = i % kernel.count;
            weights[j] = static_cast<std::uint16_t>(weights[j] + 1);
            missing -= j == 0 ? 1 : 2;
        }
    }
    weights[0] = static_cast<std::uint16_t>(weights[0] + missing);
}

}  // namespace

GaussKernel makeGaussKernel(std::int32_t size, double variance) {
    if (size < 2) return identityKernel();

    // Normalised so that the full symmetric kernel sums to 1. The values are recomputed
    // rather than stored, since a wide kernel needs only its first 100 and the tail mean.
    double sum = 0.0;
    for (std::int32_t i = 0; i < size; ++i) sum += gaussAt(i, variance);
    const double norm = 2.0 * sum - gaussAt(0, variance);

    GaussKernel kernel;
    kernel.size = size;
    kernel.count = size < kKernelPeakCount ? size : kKernelPeakCount;
    kernel.weights = AEUtil::SharedArray<std::uint16_t>(new std::uint16_t[kernel.count]);

    double tail = 0.0;
    if (size > kKernelPeakCount) {
        double tailSum = 0.0;
        for (std::int32_t i = kKernelPeakCount; i < size; ++i) tailSum += gaussAt(i, variance) / norm;
        tail = tailSum / static_cast<double>(size - kKernelPeakCount);
        kernel.tail = static_cast<std::uint16_t>(std::trunc(tail * kKernelOne));
    }
    for (std::int32_t i = 0; i < kernel.count; ++i) {
        kernel.weights[i] = static_cast<std::uint16_t>(std::trunc((gaussAt(i, variance) / norm - tail) * kKernelOne));
    }
    makeSumExact(kernel);
    kernel.tailTotal = static_cast<std::uint16_t>((2 * static_cast<std::int64_t>(size) - 1) * kernel.tail);
    return kernel;
}
