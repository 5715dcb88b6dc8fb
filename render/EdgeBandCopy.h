#pragma once
// The copy of a band of source rows into the destination that the edge smoothing pass blends
// into, made row by row just as the blends first reach each row. A band's rows copied at once
// (several megabytes in UHD) would have left the cache again by the time the scan blends them;
// copied one at a time, both the destination row and the source row beside it are still there.

#include "hostapi/HostApi.h"
#include "render/WorldPixels.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

// Copies rows [firstRow, endRow) of the source into the destination.
template <class Pixel>
void copyRows(const PF_EffectWorld& source, PF_EffectWorld& destination, std::int32_t firstRow,
              std::int32_t endRow) {
    const std::size_t rowBytes = std::size_t(source.width) * sizeof(Pixel);
    for (std::int32_t y = firstRow; y < endRow; ++y) {
        std::memcpy(worldPixel<Pixel>(destination, 0, y), worldPixel<const Pixel>(source, 0, y), rowBytes);
    }
}

template <class Pixel>
class EdgeBandCopy {
public:
    void start(const PF_EffectWorld& source, PF_EffectWorld& destination, std::int32_t firstRow,
               std::int32_t endRow) {
        source_ = &source;
        destination_ = &destination;
        copiedEnd_ = firstRow;
        endRow_ = endRow;
    }

    // Rows before this one are copied.
    std::int32_t copiedEnd() const { return copiedEnd_; }
    // Copies the rows up to row y, y included (as far as the band goes).
    void through(std::int32_t y) {
        const std::int32_t end = std::min(y + 1, endRow_);
        if (end <= copiedEnd_) return;
        copyRows<Pixel>(*source_, *destination_, copiedEnd_, end);
        copiedEnd_ = end;
    }
    // Copies the rows no blend reached.
    void finish() { through(endRow_ - 1); }

private:
    const PF_EffectWorld* source_ = nullptr;
    PF_EffectWorld* destination_ = nullptr;
    std::int32_t copiedEnd_ = 0;
    std::int32_t endRow_ = 0;
};
