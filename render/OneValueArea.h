#pragma once
// Which areas of a world hold a single pixel value: a normalised window over such pixels gives
// that value back exactly, so the blur can copy what such areas produce.

#include "hostapi/HostApi.h"
#include "render/WorldPixels.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <vector>

// Whether every pixel of `area` in `world` is the area's first pixel, bit for bit, checked as a
// pixel task; `one` is false when one differs, and always for float frames (whose equal bits
// need not compare equal). Returns the result of iterate_generic (then `one` is false too).
// Instantiated for PF_Pixel8, PF_Pixel16 and PF_PixelFloat.
template <class Pixel>
PF_Err checkOneValue(PF_InData* inData, A_long iterations, const PF_EffectWorld& world, const PF_LRect& area,
                     bool& one);

// Pixels compared and written as one word each, bit for bit: 8-bit and 16-bit pixels.
template <class Pixel>
using PixelWord = std::conditional_t<sizeof(Pixel) == 4, std::uint32_t, std::uint64_t>;

// A row of tiles over the columns [left, right) and the rows [top, bottom) of `world`: tile t
// covers the columns from left + t * tileWidth on, tileWidth of them, and `reach` more on
// either side (within [left, right)). For each tile, oneValue[t] says whether all of its pixels
// are one value, and values[t] holds it. The rows are read in order, each straight across.
template <class Pixel>
void findOneValueTiles(const PF_EffectWorld& world, std::int32_t left, std::int32_t right, std::int32_t top,
                       std::int32_t bottom, std::int32_t tileWidth, std::int32_t reach,
                       std::vector<std::uint8_t>& oneValue, std::vector<PixelWord<Pixel>>& values) {
    using Word = PixelWord<Pixel>;
    static_assert(sizeof(Pixel) == sizeof(Word), "one word per pixel");
    const std::int32_t tiles = (right - left + tileWidth - 1) / tileWidth;
    auto firstOf = [&](std::int32_t t) { return std::max(left + t * tileWidth - reach, left); };
    auto lastOf = [&](std::int32_t t) { return std::min(left + (t + 1) * tileWidth + reach, right); };
    oneValue.assign(static_cast<std::size_t>(tiles), 1);
    values.resize(static_cast<std::size_t>(tiles));
    for (std::int32_t t = 0; t < tiles; ++t) {
        std::memcpy(&values[t], worldPixel<Pixel>(world, firstOf(t), top), sizeof(Word));
    }
    for (std::int32_t y = top; y < bottom; ++y) {
        const auto* row = reinterpret_cast<const unsigned char*>(worldPixel<Pixel>(world, 0, y));
        bool anyLeft = false;
        for (std::int32_t t = 0; t < tiles; ++t) {
            if (oneValue[t] == 0) continue;
            // No branch per pixel, for the vectoriser.
            const Word first = values[t];
            Word differs = 0;
            for (std::int32_t x = firstOf(t), last = lastOf(t); x < last; ++x) {
                Word word;
                std::memcpy(&word, row + static_cast<std::size_t>(x) * sizeof(Word), sizeof word);
                differs |= word ^ first;
            }
            oneValue[t] = differs == 0 ? 1 : 0;
            anyLeft |= differs == 0;
        }
        if (!anyLeft) return;
    }
}

// Columns [first, last) of row `y` of `world` set to `value`.
template <class Pixel>
void fillRow(PF_EffectWorld& world, std::int32_t first, std::int32_t last, std::int32_t y, PixelWord<Pixel> value) {
    // As pixels, not words: rows need not be aligned to a word.
    Pixel pixel;
    std::memcpy(&pixel, &value, sizeof pixel);
    Pixel* row = worldPixel<Pixel>(world, 0, y);
    std::fill(row + first, row + last, pixel);
}
