#pragma once
// Addressing the pixels of an effect world of a known depth.

#include "hostapi/HostApi.h"

#include <cstddef>
#include <cstdint>

// The pixel (x, y) of a world whose pixels are of type Pixel; rows lie rowbytes apart.
template <class Pixel>
Pixel* worldPixel(const PF_EffectWorld& world, std::int32_t x, std::int32_t y) {
    std::uint8_t* row = reinterpret_cast<std::uint8_t*>(world.data) + std::ptrdiff_t(y) * world.rowbytes;
    return reinterpret_cast<Pixel*>(row) + x;
}
