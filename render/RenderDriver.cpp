#include "render/RenderDriver.h"

#include "AEUtil/AEWorldSuite.h"
#include "render/Blur.h"
#include "render/DriverTasks.h"
#include "render/EdgeSmoothing.h"
#include "render/EveryPixelCounts.h"
#include "render/KeyColorMatch.h"
#include "render/MaskedCopy.h"
#include "render/OneValueArea.h"
#include "render/ProgressMeter.h"
#include "render/RowStreamBlur.h"
#include "render/SelectionMask.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr A_long kEveryWorker = PF_Iterations_ONCE_PER_PROCESSOR;

// What rendering derives from the record before touching any pixel.
struct FramePlan {
    ChannelRadii radii;  // alpha, red, green, blue, at least 1
    double minRadius;
    bool allSelected;
    bool smallRadius;
    bool brightnessOn;
    bool workNeeded;
};

double downsampleScale(const PF_InData& in) {
    const double y = static_cast<double>(in.downsample_y.num) / in.downsample_y.den;
    const double x = static_cast<double>(in.downsample_x.num) / in.downsample_x.den;
    return std::min(y, x);
}

double scaled(double length, double scale) {
    return std::trunc(length * scale + 0.5);
}

// Turns slider values into pixel radii at the current resolution and settles the flags.
// Adjusts the private record copy as rendering expects it.
FramePlan planFrame(RenderParams& p) {
    int enabledKeys = 0;
    for (KeyColor& key : p.keyColors) {
        key.range /= 100.0;
        if (key.enable != 0) ++enabledKeys;
    }
    const double scale = downsampleScale(*p.inData);
    p.blurAmount = scaled(p.blurAmount, scale);
    p.alphaAmount = scaled(p.alphaAmount, scale);
    p.redAmount = scaled(p.redAmount, scale);
    p.greenAmount = scaled(p.greenAmount, scale);
    p.blueAmount = scaled(p.blueAmount, scale);

    FramePlan plan{};
    plan.allSelected = enabledKeys == 0 || p.mode == kModeDisableAll;
    if (plan.allSelected) {
        p.invert = 0;
        p.keepDivision = 1;
    }
    if (p.autoAlpha != 0) p.alphaAmount = std::max({p.redAmount, p.greenAmount, p.blueAmount});

    plan.radii = {p.alphaAmount + p.blurAmount + 1, p.redAmount + p.blurAmount + 1, p.greenAmount + p.blurAmount + 1,
                  p.blueAmount + p.blurAmount + 1};
    plan.minRadius = std::min(1000.0, *std::min_element(plan.radii.begin(), plan.radii.end()));
    plan.smallRadius = plan.minRadius >= 2.0 && plan.minRadius <= 15.0;
    plan.brightnessOn = !(p.brightness == 0.0);  // NaN counts as on
    const bool blurs = std::any_of(plan.radii.begin(), plan.radii.end(), [](double r) { return r > 1.0; });
    plan.workNeeded = blurs || plan.brightnessOn || p.mode == kModeExtract;
    return plan;
}

// The selection of this frame: everything, or the pixels near an enabled key colour.
template <class Pixel>
PF_Err selectPixels(SelectionMask& mask, const RenderParams& p, const RenderParams& original, bool allSelected) {
    if (allSelected) {
        allocateMask(mask, p.inData, p.area.right - p.area.left, p.area.bottom - p.area.top);
        fillMask(mask);
        return PF_Err_NONE;
    }
    std::vector<KeyHLS> entries;
    for (const KeyColor& key : original.keyColors) {
        if (key.enable == 0) continue;
        KeyHLS entry{};
        if (const PF_Err err = makeKeyHLS(p.inData, key, entry)) return err;
        entries.push_back(entry);
    }
    if (const PF_Err err = buildKeyMask<Pixel>(mask, p.inData, *p.input, p.area, entries)) return err;
    if (p.invert != 0) invertMask(mask);
    return PF_Err_NONE;
}

template <class Pixel>
using BlurFunction = PF_Err (*)(PF_EffectWorld*, PF_InData*, A_long, PF_EffectWorld*, PF_EffectWorld*, const PF_LRect&,
                                const SelectionMask&, double, const ChannelRadii&, std::int32_t, ProgressMeter*);

template <class Pixel>
BlurFunction<Pixel> chooseBlur(const RenderParams& p) {
    if (p.blurType == kBlurGaussian) return p.keepDivision != 0 ? gaussianBlurKeepDivision<Pixel> : gaussianBlur<Pixel>;
    return p.keepDivision != 0 ? boxBlurKeepDivision<Pixel> : boxBlur<Pixel>;
}

// 8-bit frames blur in 16 bits; the others in their own depth.
template <class Pixel>
struct BlurDepth {
    using Type = Pixel;
};
template <>
struct BlurDepth<PF_Pixel8> {
    using Type = PF_Pixel16;
};

template <class Pixel>
constexpr PF_PixelFormat pixelFormatOf();
template <>
constexpr PF_PixelFormat pixelFormatOf<PF_Pixel8>() {
    return PF_PixelFormat_ARGB32;
}
template <>
constexpr PF_PixelFormat pixelFormatOf<PF_Pixel16>() {
    return PF_PixelFormat_ARGB64;
}
template <>
constexpr PF_PixelFormat pixelFormatOf<PF_PixelFloat>() {
    return PF_PixelFormat_ARGB128;
}

// The pass-by-pass blur visits the selected pixels (with keep-division, their runs), the
// stream every pixel: with few pixels selected the passes are faster. Measured on the frame
// benchmark's picture: with keep-division, 12 % selected took the passes a sixth less time
// and 50 % took the stream a third less; without, 2 % took the passes a fifth less, 6 % took
// both the same and 12 % took the stream an eighth less.
bool sparseForTheStream(const RenderParams& p, const SelectionMask& mask) {
    const std::int64_t pixels = static_cast<std::int64_t>(mask.width) * mask.height;
    const std::int64_t selected = countSelected(mask);
    return p.keepDivision != 0 ? selected * 4 < pixels : selected * 16 < pixels;
}

// The progress of a blur's passes, once they are all through.
PF_Err reportPasses(const RenderParams& p, ProgressMeter& progress) {
    for (std::int32_t pass = 0; pass <= p.repeatCount; ++pass) {
        if (const PF_Err err = progress.report()) return err;
    }
    return PF_Err_NONE;
}

// Whether every pixel of `source` counts. Where the stream takes the frame it answers that by
// the way: it blurs `source` straight into the output, every pass of a channel in one stream
// of rows (8-bit frames without the wide worlds: the stream widens and narrows on the way),
// checking each row as it reads it; when a pixel does not count, the frame goes the long way,
// which writes the whole output again. `streamed` tells whether the output holds the blur.
template <class Pixel>
PF_Err streamOrCheckEveryPixel(const RenderParams& p, const FramePlan& plan, StreamKernel kernel, bool streamable,
                               const PF_EffectWorld& source, bool& counts, bool& streamed) {
    streamed = false;
    if (!streamable) return checkEveryPixelCounts<Pixel>(p.inData, kEveryWorker, source, p.area, counts);
    const PF_Err err = streamBlur<Pixel>(p.inData, kEveryWorker, kernel, source, *p.output, p.area, p.blurAspect,
                                         plan.radii, p.repeatCount, &counts);
    streamed = counts;
    return err;
}

// The last steps of every frame that blurred: the progress step, then Extract's clearing
// (which has nothing to clear when every pixel is selected).
template <class Pixel>
PF_Err finishFrame(const RenderParams& p, PixelTask& task, ProgressMeter& progress, bool allSelected) {
    if (const PF_Err err = progress.step()) return err;
    if (p.mode == kModeExtract && !allSelected) {
        task.source = nullptr;
        task.destination = p.output;
        if (const PF_Err err = extractAlpha<Pixel>(p.inData, kEveryWorker, task)) return err;
    }
    return PF_Err_NONE;
}

}  // namespace

template <class Pixel>
PF_Err renderDepth(const RenderParams& original) {
    RenderParams p = original;
    const std::int32_t width = p.input->width;
    const std::int32_t height = p.input->height;
    p.area = PF_LRect{0, 0, width, height};
    if (width == 0 || height == 0) return PF_Err_NONE;
    // Every pass writes the output over the input's area; a smaller output would be overrun.
    if (p.output->width != width || p.output->height != height) return PF_Err_BAD_CALLBACK_PARAM;

    FramePlan plan = planFrame(p);
    if (!plan.workNeeded) return AEUtil::copyWorld(p.inData, p.input, p.output);
    ProgressMeter progress(p.inData, 2);
    if (plan.smallRadius && plan.allSelected) {
        // A frame of one colour has no edge: the smoothing would give it back as it is, so the
        // frame takes the way of the others.
        bool oneValue = false;
        if (const PF_Err err = checkOneValue<Pixel>(p.inData, kEveryWorker, *p.input, p.area, oneValue)) return err;
        plan.smallRadius = !oneValue;
    }

    // Every pixel selected and nothing to prepare: when every pixel also counts, the input
    // streams straight into the output, without the mask or a world of the effect's own
    // (Extract then has no pixel to clear).
    const StreamKernel streamKernel = p.blurType == kBlurGaussian ? StreamKernel::Gaussian : StreamKernel::Box;
    const bool streamable = canStreamBlur<Pixel>(streamKernel, p.area, p.blurAspect, plan.radii, p.repeatCount);
    const bool inputIsBlurred = plan.allSelected && !plan.smallRadius && !plan.brightnessOn;
    bool inputCounts = false, streamed = false;
    if (inputIsBlurred) {
        if (const PF_Err err =
                streamOrCheckEveryPixel<Pixel>(p, plan, streamKernel, streamable, *p.input, inputCounts, streamed)) {
            return err;
        }
        if (streamed) {
            if (const PF_Err err = progress.step()) return err;
            if (const PF_Err err = reportPasses(p, progress)) return err;
            return progress.step();
        }
    }

    SelectionMask mask;
    constexpr bool eightBit = std::is_same<Pixel, PF_Pixel8>::value;
    // Frame-depth worlds only where a step writes them: the edge smoothing needs one (and one
    // for the masked copy it smooths when not every pixel is selected), the brightness both;
    // the pass-by-pass blur of 16-bit and float frames makes one as its scratch when it comes
    // to that.
    auto newFrameWorld = [&] {
        return AEUtil::WorldSuite::newWorld(p.inData, width, height, 0, pixelFormatOf<Pixel>());
    };
    AEUtil::EffectWorldPtr temp1, temp2;
    // With every pixel selected the masked copy would be the input's pixels: the edge
    // smoothing reads the input itself.
    const bool smoothMaskedCopy = plan.smallRadius && !plan.allSelected;
    if (plan.smallRadius || plan.brightnessOn) temp1 = newFrameWorld();
    if (smoothMaskedCopy || plan.brightnessOn) temp2 = newFrameWorld();
    // With every pixel selected only the brightness and the pass-by-pass blur read the mask:
    // a frame the stream takes goes without it.
    const bool maskFirst = !plan.allSelected || plan.brightnessOn;
    if (maskFirst) {
        if (const PF_Err err = selectPixels<Pixel>(mask, p, original, plan.allSelected)) return err;
    }

    PixelTask task;
    task.area = p.area;
    task.mask = mask;
    PF_EffectWorld* current = p.input;
    PF_EffectWorld* spare = temp2.get();

    if (plan.smallRadius) {
        if (smoothMaskedCopy) {
            task.source = p.input;
            task.destination = temp2.get();
            task.clearUnselected = true;
            if (const PF_Err err = maskedCopy<Pixel>(p.inData, kEveryWorker, task)) return err;
            task.clearUnselected = false;
        }

        EdgeSmoothSettings smoothing{};
        setEdgeSmoothDefaults(smoothing);
        smoothing.inData = p.inData;
        smoothing.pixelFormat = p.pixelFormat;
        smoothing.source = smoothMaskedCopy ? temp2.get() : p.input;
        smoothing.destination = temp1.get();
        if (const PF_Err err = smoothEdges(smoothing)) return err;
        current = temp1.get();
        spare = temp2.get();
    }
    if (plan.brightnessOn) {
        task.source = current;
        task.destination = temp2.get();
        if (const PF_Err err = applyBrightness<Pixel>(p.inData, kEveryWorker, task, p.brightness / 100.0,
                                                      p.brightnessGain, p.brightnessCurve)) {
            return err;
        }
        current = temp2.get();
        spare = temp1.get();
    }
    if (const PF_Err err = progress.step()) return err;

    // Both blur buffers start with the input at every selected pixel, and the output already
    // holds the input everywhere: the blur never touches an unselected pixel. When every
    // pixel is selected and counts, every pass writes every pixel and the output is all
    // written at the end, so none of that is needed.
    bool everyPixelCounts = inputIsBlurred && inputCounts;
    if (plan.allSelected && !inputIsBlurred) {
        if (const PF_Err err = streamOrCheckEveryPixel<Pixel>(p, plan, streamKernel, streamable, *current,
                                                              everyPixelCounts, streamed)) {
            return err;
        }
        if (streamed) {
            if (const PF_Err err = reportPasses(p, progress)) return err;
            return finishFrame<Pixel>(p, task, progress, plan.allSelected);
        }
    }
    if (!maskFirst) {
        if (const PF_Err err = selectPixels<Pixel>(mask, p, original, plan.allSelected)) return err;
        task.mask = mask;
    }
    // A key selection whose pixels all count streams too, the unselected pixels from the input.
    if (!plan.allSelected &&
        canStreamMaskedBlur<Pixel>(streamKernel, p.area, p.blurAspect, plan.radii, p.repeatCount) &&
        !sparseForTheStream(p, mask)) {
        bool selectedCount = false;
        PF_Err err =
            checkEverySelectedPixelCounts<Pixel>(p.inData, kEveryWorker, *current, p.area, mask, selectedCount);
        if (err != PF_Err_NONE) return err;
        if (selectedCount) {
            err = streamMaskedBlur<Pixel>(p.inData, kEveryWorker, *current, *p.input, *p.output, p.area, mask,
                                          p.keepDivision != 0, p.blurAspect, plan.radii, p.repeatCount);
            if (err == PF_Err_NONE) err = reportPasses(p, progress);
            if (err != PF_Err_NONE) return err;
            return finishFrame<Pixel>(p, task, progress, plan.allSelected);
        }
    }

    using BlurPixel = typename BlurDepth<Pixel>::Type;
    if (!eightBit && spare == nullptr) {
        temp2 = newFrameWorld();
        spare = temp2.get();
    }
    PF_EffectWorld* blurDestination = p.output;
    PF_EffectWorld* blurSource = current;
    PF_EffectWorld* scratch = spare;
    AEUtil::EffectWorldPtr wide1, wide2, wide3;
    if constexpr (eightBit) {
        wide1 = AEUtil::WorldSuite::newWorld(p.inData, width, height, 0, PF_PixelFormat_ARGB64);
        wide2 = AEUtil::WorldSuite::newWorld(p.inData, width, height, 0, PF_PixelFormat_ARGB64);
        wide3 = AEUtil::WorldSuite::newWorld(p.inData, width, height, 0, PF_PixelFormat_ARGB64);
        task.source = current;
        task.destination = wide1.get();
        if (const PF_Err err = widenTo16(p.inData, kEveryWorker, task)) return err;
        if (!everyPixelCounts) {
            task.source = p.input;
            task.destination = wide3.get();
            if (const PF_Err err = widenTo16(p.inData, kEveryWorker, task)) return err;
            if (const PF_Err err = AEUtil::copyWorld(p.inData, wide3.get(), wide2.get())) return err;
            if (const PF_Err err = AEUtil::copyWorld(p.inData, p.input, p.output)) return err;
        }
        blurDestination = wide2.get();
        blurSource = wide1.get();
        scratch = wide3.get();
    } else if (!everyPixelCounts) {
        // The blur reads its scratch at selected pixels only: they are all it needs, copied by
        // the workers.
        task.source = p.input;
        task.destination = spare;
        if (const PF_Err err = maskedCopy<Pixel>(p.inData, kEveryWorker, task)) return err;
        if (const PF_Err err = AEUtil::copyWorld(p.inData, p.input, p.output)) return err;
    }

    const BlurFunction<BlurPixel> blur = chooseBlur<BlurPixel>(p);
    if (const PF_Err err = blur(blurDestination, p.inData, kEveryWorker, blurSource, scratch, p.area, mask,
                                p.blurAspect, plan.radii, p.repeatCount, &progress)) {
        return err;
    }

    if constexpr (eightBit) {
        task.source = wide2.get();
        task.destination = p.output;
        if (const PF_Err err = narrowTo8(p.inData, kEveryWorker, task)) return err;
    }
    return finishFrame<Pixel>(p, task, progress, plan.allSelected);
}

PF_Err renderWithDriver(const RenderParams& params) {
    switch (params.pixelFormat) {
        case kPixelFormat32: return renderDepth<PF_PixelFloat>(params);
        case kPixelFormat16: return renderDepth<PF_Pixel16>(params);
        case kPixelFormat8: return renderDepth<PF_Pixel8>(params);
        default: return PF_Err_UNRECOGNIZED_PARAM_TYPE;
    }
}

template PF_Err renderDepth<PF_Pixel8>(const RenderParams&);
template PF_Err renderDepth<PF_Pixel16>(const RenderParams&);
template PF_Err renderDepth<PF_PixelFloat>(const RenderParams&);
