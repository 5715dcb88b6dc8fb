#pragma once
// The per-channel kernels of one blur pass, in channel order alpha, red, green, blue.

#include "render/BlurPlan.h"
#include "render/GaussKernel.h"

#include <array>
#include <cstdint>

using GaussKernelSet = std::array<GaussKernel, 4>;

// Box half-widths R: the window reaches from -(R - 1) to R - 1, so R = 1 leaves a pixel alone.
using BoxWindowSet = std::array<std::int32_t, 4>;

// makeGaussKernel(ceil(r), v) per channel, v = r^2 / 8 on passes 1 and 2 and r^2 after.
// Channels with the same radius share one kernel (and so one weights array).
GaussKernelSet makeGaussKernelSet(const BlurPassPlan& pass);

// R = ceil(r) per channel.
BoxWindowSet makeBoxWindowSet(const BlurPassPlan& pass);
