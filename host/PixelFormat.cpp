#include "host/PixelFormat.h"

#include <cstdio>

namespace vmhost {

std::size_t bytesPerPixel(PF_PixelFormat format) {
    return 4 * bytesPerChannel(format);
}

std::size_t bytesPerChannel(PF_PixelFormat format) {
    switch (format) {
        case PF_PixelFormat_ARGB32: return 1;
        case PF_PixelFormat_ARGB64: return 2;
        case PF_PixelFormat_ARGB128: return 4;
        default: return 0;
    }
}

bool isWorldFormat(PF_PixelFormat format) {
    return bytesPerChannel(format) != 0;
}

short bitDepthOf(PF_PixelFormat format) {
    return static_cast<short>(8 * bytesPerChannel(format));
}

std::string formatName(PF_PixelFormat format) {
    switch (format) {
        case PF_PixelFormat_ARGB32: return "argb";
        case PF_PixelFormat_ARGB64: return "ae16";
        case PF_PixelFormat_ARGB128: return "ae32";
        default: {
            char text[16];
            std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(format));
            return text;
        }
    }
}

}  // namespace vmhost
