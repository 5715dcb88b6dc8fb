#include "render/Blur.h"

#include "render/BlurKernels.h"
#include "render/BlurPass.h"
#include "render/MaskedCopy.h"

#include <algorithm>

namespace {

struct BlurCall {
    PF_EffectWorld* destination;
    PF_InData* inData;
    A_long iterations;
    PF_EffectWorld* source;
    PF_EffectWorld* scratch;
    const PF_LRect& area;
    const SelectionMask& mask;
    double aspect;
    const ChannelRadii& radii;
    std::int32_t repeatCount;
    ProgressMeter* progress;
};

template <class Pixel>
PF_Err copySelected(const BlurCall& call) {
    PixelTask copy;
    copy.destination = call.destination;
    copy.source = call.source;
    copy.area = call.area;
    copy.mask = call.mask;
    copy.clearUnselected = false;
    return maskedCopy<Pixel>(call.inData, call.iterations, copy);
}

template <class Pixel, class KernelSet, KernelSet (*makeKernels)(const BlurPassPlan&)>
PF_Err runBlur(const BlurCall& call, bool keepDivision) {
    if (call.repeatCount < 1) return copySelected<Pixel>(call);

    // Passes alternate between the two buffers; starting in scratch for an odd repeat
    // count makes the last of the n + 1 passes land in the destination.
    PF_EffectWorld* const oddPassTarget = call.repeatCount % 2 == 1 ? call.scratch : call.destination;
    PF_EffectWorld* const evenPassTarget = oddPassTarget == call.scratch ? call.destination : call.scratch;

    // Window counts reach the longest line; peak weight sums reach kKernelOne.
    const std::int32_t longestLine = std::max(call.area.right - call.area.left, call.area.bottom - call.area.top);
    const QuotientTable quotients(static_cast<std::uint32_t>(std::max(longestLine, kKernelOne)));

    PF_EffectWorld* passSource = call.source;
    for (const BlurPassPlan& pass : planBlurPasses(call.aspect, call.radii, call.repeatCount)) {
        BlurTask<KernelSet> task;
        task.source = passSource;
        task.destination = pass.number % 2 == 1 ? oddPassTarget : evenPassTarget;
        task.area = call.area;
        task.mask = call.mask;
        task.kernels = makeKernels(pass);
        task.keepDivision = keepDivision;
        task.quotients = &quotients;

        PF_Err err = runBlurPass<Pixel, KernelSet>(call.inData, call.iterations, task, pass.direction);
        if (err == PF_Err_NONE && call.progress != nullptr) err = call.progress->report();
        if (err != PF_Err_NONE) return err;
        passSource = task.destination;
    }
    return PF_Err_NONE;
}

}  // namespace

template <class Pixel>
PF_Err gaussianBlur(PF_EffectWorld* destination, PF_InData* inData, A_long iterations, PF_EffectWorld* source,
                    PF_EffectWorld* scratch, const PF_LRect& area, const SelectionMask& mask, double aspect,
                    const ChannelRadii& radii, std::int32_t repeatCount, ProgressMeter* progress) {
    const BlurCall call{destination, inData, iterations, source,      scratch, area,
                        mask,        aspect, radii,      repeatCount, progress};
    return runBlur<Pixel, GaussKernelSet, makeGaussKernelSet>(call, false);
}

template <class Pixel>
PF_Err gaussianBlurKeepDivision(PF_EffectWorld* destination, PF_InData* inData, A_long iterations,
                                PF_EffectWorld* source, PF_EffectWorld* scratch, const PF_LRect& area,
                                const SelectionMask& mask, double aspect, const ChannelRadii& radii,
                                std::int32_t repeatCount, ProgressMeter* progress) {
    const BlurCall call{destination, inData, iterations, source,      scratch, area,
                        mask,        aspect, radii,      repeatCount, progress};
    return runBlur<Pixel, GaussKernelSet, makeGaussKernelSet>(call, true);
}

template <class Pixel>
PF_Err boxBlur(PF_EffectWorld* destination, PF_InData* inData, A_long iterations, PF_EffectWorld* source,
               PF_EffectWorld* scratch, const PF_LRect& area, const SelectionMask& mask, double aspect,
               const ChannelRadii& radii, std::int32_t repeatCount, ProgressMeter* progress) {
    const BlurCall call{destination, inData, iterations, source,      scratch, area,
                        mask,        aspect, radii,      repeatCount, progress};
    return runBlur<Pixel, BoxWindowSet, makeBoxWindowSet>(call, false);
}

template <class Pixel>
PF_Err boxBlurKeepDivision(PF_EffectWorld* destination, PF_InData* inData, A_long iterations, PF_EffectWorld* source,
                           PF_EffectWorld* scratch, const PF_LRect& area, const SelectionMask& mask, double aspect,
                           const ChannelRadii& radii, std::int32_t repeatCount, ProgressMeter* progress) {
    const BlurCall call{destination, inData, iterations, source,      scratch, area,
                        mask,        aspect, radii,      repeatCount, progress};
    return runBlur<Pixel, BoxWindowSet, makeBoxWindowSet>(call, true);
}

#define VELUMIXER_INSTANTIATE_BLUR(function, Pixel)                                                                   \
    template PF_Err function<Pixel>(PF_EffectWorld*, PF_InData*, A_long, PF_EffectWorld*, PF_EffectWorld*,            \
                                    const PF_LRect&, const SelectionMask&, double, const ChannelRadii&, std::int32_t, \
                                    ProgressMeter*);
#define VELUMIXER_INSTANTIATE_BLURS(Pixel)                      \
    VELUMIXER_INSTANTIATE_BLUR(gaussianBlur, Pixel)             \
    VELUMIXER_INSTANTIATE_BLUR(gaussianBlurKeepDivision, Pixel) \
    VELUMIXER_INSTANTIATE_BLUR(boxBlur, Pixel)                  \
    VELUMIXER_INSTANTIATE_BLUR(boxBlurKeepDivision, Pixel)

VELUMIXER_INSTANTIATE_BLURS(PF_Pixel16)
VELUMIXER_INSTANTIATE_BLURS(PF_PixelFloat)
