#pragma once
// The three pixel formats the host makes worlds in, and their sizes.

#include <cstddef>
#include <string>

#include "hostapi/HostApi.h"

namespace vmhost {

// 4, 8 or 16 bytes for 'argb', 'ae16' and 'ae32'; 0 for any other format.
std::size_t bytesPerPixel(PF_PixelFormat format);
// Bytes of one channel (1, 2 or 4); 0 for any other format.
std::size_t bytesPerChannel(PF_PixelFormat format);
bool isWorldFormat(PF_PixelFormat format);
// Bits per channel as SmartFX reports them: 8, 16 or 32; 0 for any other format.
short bitDepthOf(PF_PixelFormat format);
// "argb", "ae16", "ae32", or the code in hex.
std::string formatName(PF_PixelFormat format);

}  // namespace vmhost
