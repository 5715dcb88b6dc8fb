#pragma once
// One half of a symmetric Gaussian in 16-bit fixed point (32768 = 1.0). Wide kernels keep
// exact weights only for the first 100 distances and fold the rest into a flat tail that
// the blur serves from a running window sum.

#include "AEUtil/SharedArray.h"

#include <cstdint>

constexpr std::int32_t kKernelOne = 32768;
// Distances with their own weight; the rest of a wider kernel is the flat tail.
constexpr std::int32_t kKernelPeakCount = 100;

struct GaussKernel {
    // The full weight at distance d is weights[d] + tail for d < count, tail beyond; the
    // 2 * size - 1 positions add up to exactly kKernelOne.
    AEUtil::SharedArray<std::uint16_t> weights;
    std::int32_t count = 0;       // min(size, 100)
    std::int32_t size = 0;        // the kernel reaches from -(size - 1) to size - 1
    std::uint16_t tail = 0;       // 0 unless size > 100
    std::uint16_t tailTotal = 0;  // (2 * size - 1) * tail

    // Distance of the farthest position with a weight of its own.
    std::int32_t peakReach() const { return count - 1; }
    // Distance of the farthest position the kernel covers.
    std::int32_t reach() const { return size - 1; }
};

// A kernel of `size` half-width positions and variance `variance`; the identity for size < 2.
GaussKernel makeGaussKernel(std::int32_t size, double variance);
