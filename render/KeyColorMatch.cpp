#include "render/KeyColorMatch.h"

#include "render/PixelTask.h"
#include "render/PixelTraits.h"
#include "render/WorldPixels.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr std::int32_t kHalfTurn = 180 * 65536;
constexpr std::int32_t kFullTurn = 360 * 65536;

struct KeyMaskTask : PixelTask {
    PF_ProgPtr effectRef = nullptr;
    decltype(PF_ColorCallbacks::RGBtoHLS) rgbToHls = nullptr;
    std::vector<KeyHLS> entries;
    std::uint8_t matchValue = kMaskSelected;
};

bool matchesAnyKey(const PF_Fixed hls[3], const std::vector<KeyHLS>& entries) {
    for (const KeyHLS& key : entries) {
        if (colorDistance(hls, key) <= key.threshold) return true;
    }
    return false;
}

// The results of the colours one worker has converted, by their 8-bit host colour: the
// host's conversion depends on nothing else, so footage, whose colours come back again and
// again once they are bytes, costs a fraction of the host calls. Direct-mapped: a colour
// pushes out the one before it in its slot.
class MatchCache {
public:
    MatchCache() : slots_(kSlots) {}

    // Nothing is found until put.
    bool find(const PF_Pixel& color, std::uint8_t& result) const {
        const Slot& slot = slots_[indexOf(keyOf(color))];
        if (slot.key != keyOf(color)) return false;
        result = slot.result;
        return true;
    }
    void put(const PF_Pixel& color, std::uint8_t result) { slots_[indexOf(keyOf(color))] = {keyOf(color), result}; }

private:
    static constexpr std::size_t kSlots = 65536;
    struct Slot {
        std::uint32_t key = 0;  // 0: empty; else the colour's 24 bits with bit 24 set
        std::uint8_t result = 0;
    };
    static std::uint32_t keyOf(const PF_Pixel& c) {
        return (1u << 24) | (std::uint32_t(c.red) << 16) | (std::uint32_t(c.green) << 8) | c.blue;
    }
    static std::size_t indexOf(std::uint32_t key) { return (key * 2654435761u) >> 16 & (kSlots - 1); }

    std::vector<Slot> slots_;
};

// One band of rows. `previous` remembers the last pixel this worker matched (across rows),
// so runs of one colour are not even converted to bytes again.
template <class Pixel>
PF_Err matchKeyRows(const KeyMaskTask& task, std::int32_t iteration, std::int32_t iterations) {
    using Traits = PixelTraits<Pixel>;
    const std::int32_t width = task.area.right - task.area.left;
    const Band band = rowBand(iteration, iterations, task.area.bottom - task.area.top);
    if (band.count == 0) return PF_Err_NONE;

    MatchCache cache;
    bool havePrevious = false;
    Pixel previous{};
    std::uint8_t previousResult = 0;
    for (std::int32_t j = band.first; j < band.first + band.count; ++j) {
        const Pixel* pixels = worldPixel<Pixel>(*task.source, task.area.left, task.area.top + j);
        std::uint8_t* maskRow = task.mask.row(j);
        for (std::int32_t x = 0; x < width; ++x) {
            const Pixel& pixel = pixels[x];
            maskRow[x] = 0;
            if (Traits::isTransparent(pixel.alpha)) continue;
            if (havePrevious && Traits::sameColor(previous, pixel)) {
                maskRow[x] = previousResult;
                continue;
            }
            PF_Pixel hostPixel = {255, Traits::toHostByte(pixel.red), Traits::toHostByte(pixel.green),
                                  Traits::toHostByte(pixel.blue)};
            if (!cache.find(hostPixel, previousResult)) {
                PF_Fixed hls[3] = {0, 0, 0};
                const PF_Err err = task.rgbToHls(task.effectRef, &hostPixel, hls);
                if (err != PF_Err_NONE) return err;
                previousResult = matchesAnyKey(hls, task.entries) ? task.matchValue : 0;
                cache.put(hostPixel, previousResult);
            }
            havePrevious = true;
            previous = pixel;
            maskRow[x] = previousResult;
        }
    }
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
    std::memset(mask.bytes.get(), 0, maskBufferSize(mask.width, mask.height));

    KeyMaskTask task;
    task.source = const_cast<PF_EffectWorld*>(&source);
    task.area = area;
    task.mask = mask;
    task.effectRef = inData->effect_ref;
    task.rgbToHls = inData->utils->colorCB.RGBtoHLS;
    task.entries = entries;
    const PF_Err err = runPixelTask<KeyMaskTask, matchKeyRows<Pixel>>(inData, PF_Iterations_ONCE_PER_PROCESSOR, task);
    updateMaskFlags(mask);
    return err;
}

template PF_Err buildKeyMask<PF_Pixel8>(SelectionMask&, PF_InData*, const PF_EffectWorld&, const PF_LRect&,
                                        const std::vector<KeyHLS>&);
template PF_Err buildKeyMask<PF_Pixel16>(SelectionMask&, PF_InData*, const PF_EffectWorld&, const PF_LRect&,
                                         const std::vector<KeyHLS>&);
template PF_Err buildKeyMask<PF_PixelFloat>(SelectionMask&, PF_InData*, const PF_EffectWorld&, const PF_LRect&,
                                            const std::vector<KeyHLS>&);
