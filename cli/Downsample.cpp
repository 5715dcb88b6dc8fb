#include "cli/Downsample.h"

#include <cstring>

namespace vmcli {

vmhost::Image subsampled(const vmhost::Image& image, int factorX, int factorY) {
    if (factorX == 1 && factorY == 1) return image;
    const A_long width = (image.width() + factorX - 1) / factorX;
    const A_long height = (image.height() + factorY - 1) / factorY;
    vmhost::Image small(image.format(), width, height);
    const std::size_t bytes = image.bytesPerPixel();
    for (A_long y = 0; y < height; ++y) {
        const std::uint8_t* source = image.row(y * factorY);
        std::uint8_t* target = small.row(y);
        for (A_long x = 0; x < width; ++x)
            std::memcpy(target + x * bytes, source + static_cast<std::size_t>(x) * factorX * bytes, bytes);
    }
    return small;
}

}  // namespace vmcli
