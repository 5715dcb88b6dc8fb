#pragma once
// Render depths (8, 16 or 32 bits per channel) and the host's pixel formats.

#include "hostapi/HostApi.h"

namespace vmcli {

inline PF_PixelFormat pixelFormatForDepth(int depth) {
    if (depth == 8) return PF_PixelFormat_ARGB32;
    if (depth == 16) return PF_PixelFormat_ARGB64;
    return PF_PixelFormat_ARGB128;
}

inline int depthOfFormat(PF_PixelFormat format) {
    if (format == PF_PixelFormat_ARGB32) return 8;
    if (format == PF_PixelFormat_ARGB64) return 16;
    return 32;
}

}  // namespace vmcli
