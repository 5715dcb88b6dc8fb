#include "render/BlurKernels.h"

GaussKernelSet makeGaussKernelSet(const BlurPassPlan& pass) {
    GaussKernelSet kernels;
    for (std::size_t c = 0; c < kernels.size(); ++c) {
        std::size_t same = 0;
        while (same < c && pass.radii[same] != pass.radii[c]) ++same;
        if (same < c) {
            kernels[c] = kernels[same];
            continue;
        }
        const double r = pass.radii[c];
        const double variance = pass.number <= 2 ? r * r / 8.0 : r * r;
        kernels[c] = makeGaussKernel(kernelSizeOf(r), variance);
    }
    return kernels;
}

BoxWindowSet makeBoxWindowSet(const BlurPassPlan& pass) {
    BoxWindowSet windows;
    for (std::size_t c = 0; c < windows.size(); ++c) windows[c] = kernelSizeOf(pass.radii[c]);
    return windows;
}
