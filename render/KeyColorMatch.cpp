#include "render/KeyColorMatch.h"

#include "render/ColorVerdicts.h"
#include "render/PixelTask.h"
#include "render/PixelTraits.h"
#include "render/WorldPixels.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

namespace {

constexpr std::int32_t kHalfTurn = 180 * 65536;
constexpr std::int32_t kFullTurn = 360 * 65536;

struct KeyMaskTask : PixelTask {
    PF_ProgPtr effectRef = nullptr;
    decltype(PF_ColorCallbacks::RGBtoHLS) rgbToHls = nullptr;
    std::vector<KeyHLS> entries;
    std::uint8_t matchValue = kMaskSelected;
    ColorVerdicts* verdicts = nullptr;  // shared by the workers
    mutable std::mutex columnFlagsLock;  // each worker adds the columns of its band once
};

bool matchesAnyKey(const PF_Fixed hls[3], const std::vector<KeyHLS>& entries) {
    for (const KeyHLS& key : entries) {
        if (colorDistance(hls, key) <= key.threshold) return true;
    }
    return false;
}

// Stands for a transparent pixel among the colours of a row: no 24-bit colour has it.
constexpr std::uint32_t kTransparent = 0xFFFFFFFFu;

// The host colours of a row's pixels (kTransparent for transparent ones), all at once.
template <class Pixel>
void hostColorsOf(const Pixel* pixels, std::int32_t width, std::uint32_t* colors) {
    using Traits = PixelTraits<Pixel>;
    for (std::int32_t x = 0; x < width; ++x) {
        const Pixel& pixel = pixels[x];
        const std::uint32_t rgb = ColorVerdicts::rgbOf(Traits::toHostByte(pixel.red), Traits::toHostByte(pixel.green),
                                                      Traits::toHostByte(pixel.blue));
        colors[x] = Traits::isTransparent(pixel.alpha) ? kTransparent : rgb;
    }
}

// One band of rows. Each row's known verdicts are read first, in a loop without a branch on
// the verdict (whether a colour is new follows no pattern a processor could predict); the
// host is asked for the new colours after, in the row's order.
template <class Pixel>
PF_Err matchKeyRows(const KeyMaskTask& task, std::int32_t iteration, std::int32_t iterations) {
    const std::int32_t width = task.area.right - task.area.left;
    const Band band = rowBand(iteration, iterations, task.area.bottom - task.area.top);
    if (band.count == 0) return PF_Err_NONE;

    ColorVerdicts& verdicts = *task.verdicts;
    std::vector<std::uint8_t> bandColumns(static_cast<std::size_t>(width), 0);
    std::vector<std::uint32_t> colors(static_cast<std::size_t>(width));
    std::vector<std::int32_t> unknown(static_cast<std::size_t>(width));
    for (std::int32_t j = band.first; j < band.first + band.count; ++j) {
        hostColorsOf(worldPixel<Pixel>(*task.source, task.area.left, task.area.top + j), width, colors.data());
        std::uint8_t* maskRow = task.mask.row(j);
        std::int32_t unknownCount = 0;
        for (std::int32_t x = 0; x < width; ++x) {
            const std::uint32_t rgb = colors[x];
            const bool transparent = rgb == kTransparent;
            const ColorVerdicts::Verdict verdict = verdicts.find(rgb & 0xFFFFFFu);  // any colour for a transparent one
            maskRow[x] = verdict == ColorVerdicts::kMatch && !transparent ? task.matchValue : 0;
            unknown[unknownCount] = x;
            unknownCount += verdict == ColorVerdicts::kUnknown && !transparent ? 1 : 0;
        }
        for (std::int32_t k = 0; k < unknownCount; ++k) {
            const std::int32_t x = unknown[k];
            const std::uint32_t rgb = colors[x];
            ColorVerdicts::Verdict verdict = verdicts.find(rgb);  // found for an earlier pixel of the row
            if (verdict == ColorVerdicts::kUnknown) {
                PF_Pixel hostPixel = ColorVerdicts::pixelOf(rgb);
                PF_Fixed hls[3] = {0, 0, 0};
                const PF_Err err = task.rgbToHls(task.effectRef, &hostPixel, hls);
                if (err != PF_Err_NONE) return err;
                verdict = matchesAnyKey(hls, task.entries) ? ColorVerdicts::kMatch : ColorVerdicts::kNoMatch;
                verdicts.put(rgb, verdict);
            }
            maskRow[x] = verdict == ColorVerdicts::kMatch ? task.matchValue : 0;
        }
        // The flags as updateMaskFlags sets them, while the row is at hand.
        std::uint8_t any = 0;
        for (std::int32_t x = 0; x < width; ++x) {
            bandColumns[x] |= maskRow[x];
            any |= maskRow[x];
        }
        task.mask.rowFlags[j] = any != 0 ? 1 : 0;
        std::memset(maskRow + width, 0, static_cast<std::size_t>(task.mask.stride - width));
    }
    const std::lock_guard<std::mutex> lock(task.columnFlagsLock);
    for (std::int32_t x = 0; x < width; ++x) task.mask.columnFlags[x] |= bandColumns[x] != 0 ? 1 : 0;
    return PF_Err_NONE;
}

}  // namespace

std::int32_t colorDistance(const PF_Fixed pixelHls[3], const KeyHLS& key) {
    std::int32_t hueDifference = std::abs(pixelHls[0] - key.hue);
    if (hueDifference > kHalfTurn) hueDifference = kFullTurn - hueDifference;
    const std::int32_t saturationDifference = std::abs(pixelHls[2] - key.saturation);
    const std::int32_t lightnessDifference = std::abs(pixelHls[1] - key.lightness);
    return (saturationDifference + lightnessDifference + (hueDifference >> 7)) >> 3;
}

std::int32_t keyThreshold(double rangePercent) {
    return static_cast<std::int32_t>(std::trunc(rangePercent / 100.0 * kLargestColorDistance));
}

PF_Err makeKeyHLS(PF_InData* inData, const KeyColor& key, KeyHLS& entry) {
    PF_Pixel color = key.color;
    PF_Fixed hls[3] = {0, 0, 0};
    const PF_Err err = inData->utils->colorCB.RGBtoHLS(inData->effect_ref, &color, hls);
    entry = KeyHLS{hls[0], hls[1], hls[2], keyThreshold(key.range)};
    return err;
}

template <class Pixel>
PF_Err buildKeyMask(SelectionMask& mask, PF_InData* inData, const PF_EffectWorld& source, const PF_LRect& area,
                    const std::vector<KeyHLS>& entries) {
    const std::int32_t width = area.right - area.left;
    const std::int32_t height = area.bottom - area.top;
    if (mask.width != width || mask.height != height) {
        allocateMask(mask, inData, width, height);
    }
    if (mask.empty()) return PF_Err_NONE;
    // The workers write every mask byte and row flag and add their columns to the column flags;
    // the rest of the buffer is cleared here.
    std::uint8_t* const end = mask.bytes.get() + maskBufferSize(mask.width, mask.height);
    std::uint8_t* const rowFlagsEnd = mask.rowFlags + mask.height;
    std::memset(rowFlagsEnd, 0, static_cast<std::size_t>(mask.columnFlags - rowFlagsEnd));
    std::memset(mask.columnFlags, 0, static_cast<std::size_t>(end - mask.columnFlags));

    KeyMaskTask task;
    task.source = const_cast<PF_EffectWorld*>(&source);
    task.area = area;
    task.mask = mask;
    task.effectRef = inData->effect_ref;
    task.rgbToHls = inData->utils->colorCB.RGBtoHLS;
    task.entries = entries;
    ColorVerdicts verdicts;
    task.verdicts = &verdicts;
    return runPixelTask<KeyMaskTask, matchKeyRows<Pixel>>(inData, PF_Iterations_ONCE_PER_PROCESSOR, task);
}

template PF_Err buildKeyMask<PF_Pixel8>(SelectionMask&, PF_InData*, const PF_EffectWorld&, const PF_LRect&,
                                        const std::vector<KeyHLS>&);
template PF_Err buildKeyMask<PF_Pixel16>(SelectionMask&, PF_InData*, const PF_EffectWorld&, const PF_LRect&,
                                         const std::vector<KeyHLS>&);
template PF_Err buildKeyMask<PF_PixelFloat>(SelectionMask&, PF_InData*, const PF_EffectWorld&, const PF_LRect&,
                                            const std::vector<KeyHLS>&);
