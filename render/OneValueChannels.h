#pragma once
// Channels of a band taken to hold one value over every row the band reads: the alpha of an
// opaque frame, mostly. A mean of equal values is that value, exactly, so such a channel
// streams as it is instead of through its passes. The guess comes from the band's first row
// and every row the band reads must bear it out; where one does not, the band goes on from its
// first unfinished row with every pass.

#include "render/PixelTraits.h"
#include "render/RowKernelSet.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <type_traits>

template <class Pixel>
class OneValueChannels {
public:
    using Channel = typename PixelTraits<Pixel>::Channel;
    using Row = typename StreamDepth<Pixel>::Row;

    // The channels that hold one value along `pixels` (a row of `width`).
    OneValueChannels(const Pixel* pixels, std::int32_t width) {
        const Channel* values = reinterpret_cast<const Channel*>(pixels);
        for (int c = 0; c < kChannelsPerPixel; ++c) {
            const Channel first = values[c];
            bool same = mayTake(first);
            for (std::int32_t x = 1; same && x < width; ++x) same = values[x * kChannelsPerPixel + c] == first;
            taken_[c] = same;
            value_[c] = StreamDepth<Pixel>::toRow(first);
        }
    }

    bool any() const { return std::find(taken_.begin(), taken_.end(), true) != taken_.end(); }
    bool taken(int c) const { return taken_[c]; }

    // Whether the channel rows of a source row (`width` values each) bear the guess out.
    bool heldBy(const Row* const* channels, std::int32_t width) const {
        for (int c = 0; c < kChannelsPerPixel; ++c) {
            if (!taken_[c]) continue;
            const Row value = value_[c];
            const Row* row = channels[c];
            std::uint32_t others = 0;  // counted without a branch, so that the loop goes in vectors
            for (std::int32_t x = 0; x < width; ++x) others += row[x] != value ? 1u : 0u;
            if (others != 0) return false;
        }
        return true;
    }

private:
    // Float means of equal values come back as the value only for finite ones; and zero is
    // left out because == does not tell -0 from +0, whose means differ in sign.
    static bool mayTake(Channel v) {
        if constexpr (std::is_floating_point<Channel>::value) return std::isfinite(v) && v != 0;
        return true;
    }

    std::array<bool, kChannelsPerPixel> taken_{};
    std::array<Row, kChannelsPerPixel> value_{};
};
