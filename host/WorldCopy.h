#pragma once
// Pixel copies between two worlds of the same format, row by row as each
// world's rowbytes say.

#include <cstddef>

#include "hostapi/HostApi.h"

namespace vmhost {

// Copies `from` of `source` onto `to` of `destination` (a null rectangle is
// the whole world). Rectangles of different sizes are resampled to the
// nearest pixel. PF_Err_BAD_CALLBACK_PARAM when a rectangle is empty or
// reaches outside its world.
PF_Err copyWorldPixels(const PF_EffectWorld& source, PF_EffectWorld& destination, std::size_t bytesPerPixel,
                       const PF_Rect* from, const PF_Rect* to);

}  // namespace vmhost
