#include "host/WorldCopy.h"

#include <cstdint>
#include <cstring>

namespace vmhost {

namespace {

bool fits(const PF_Rect& r, const PF_EffectWorld& world) {
    return r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom && r.right <= world.width &&
           r.bottom <= world.height;
}

PF_Rect whole(const PF_EffectWorld& world) {
    return {0, 0, world.width, world.height};
}

std::uint8_t* pixelAt(const PF_EffectWorld& world, A_long x, A_long y, std::size_t bytesPerPixel) {
    return reinterpret_cast<std::uint8_t*>(world.data) + static_cast<std::ptrdiff_t>(y) * world.rowbytes +
           static_cast<std::size_t>(x) * bytesPerPixel;
}

}  // namespace

PF_Err copyWorldPixels(const PF_EffectWorld& source, PF_EffectWorld& destination, std::size_t bytesPerPixel,
                       const PF_Rect* from, const PF_Rect* to) {
    const PF_Rect src = from ? *from : whole(source);
    const PF_Rect dst = to ? *to : whole(destination);
    // A whole-world copy of an empty world has nothing to do.
    if (!from && !to && (source.width == 0 || source.height == 0) && source.width == destination.width &&
        source.height == destination.height)
        return PF_Err_NONE;
    if (!source.data || !destination.data || !fits(src, source) || !fits(dst, destination))
        return PF_Err_BAD_CALLBACK_PARAM;
    const A_long srcWidth = src.right - src.left;
    const A_long srcHeight = src.bottom - src.top;
    const A_long dstWidth = dst.right - dst.left;
    const A_long dstHeight = dst.bottom - dst.top;
    for (A_long y = 0; y < dstHeight; ++y) {
        const A_long sy = src.top + static_cast<A_long>(static_cast<long long>(y) * srcHeight / dstHeight);
        if (srcWidth == dstWidth) {
            std::memmove(pixelAt(destination, dst.left, dst.top + y, bytesPerPixel),
                         pixelAt(source, src.left, sy, bytesPerPixel), static_cast<std::size_t>(dstWidth) * bytesPerPixel);
            continue;
        }
        for (A_long x = 0; x < dstWidth; ++x) {
            const A_long sx = src.left + static_cast<A_long>(static_cast<long long>(x) * srcWidth / dstWidth);
            std::memmove(pixelAt(destination, dst.left + x, dst.top + y, bytesPerPixel),
                         pixelAt(source, sx, sy, bytesPerPixel), bytesPerPixel);
        }
    }
    return PF_Err_NONE;
}

}  // namespace vmhost
