#include "render/PixelTask.h"

Band rowBand(std::int32_t i, std::int32_t n, std::int32_t extent) {
    if (extent <= 0) return {0, 0};
    if (n < 1) return i == 0 ? Band{0, extent} : Band{extent, 0};
    if (i < 0 || i >= n) return {extent, 0};
    const std::int32_t q = extent / n;
    const std::int32_t m = extent % n;
    if (i < m) return {i * (q + 1), q + 1};
    return {i * q + m, q};
}

bool areaIsEmpty(const PF_LRect& area) { return area.right <= area.left || area.bottom <= area.top; }

bool maskMatchesArea(const SelectionMask& mask, const PF_LRect& area) {
    return mask.bytes && mask.width == area.right - area.left && mask.height == area.bottom - area.top;
}
