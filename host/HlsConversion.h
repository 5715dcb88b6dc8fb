#pragma once
// RGB to HLS in the host's scales: hue in degrees [0, 360), lightness and
// saturation from 0 to 1, all as 16.16 fixed point.

#include <cstdint>

namespace vmhost {

struct HlsFixed {
    std::int32_t hue;
    std::int32_t lightness;
    std::int32_t saturation;
};

HlsFixed rgbToHls(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

}  // namespace vmhost
