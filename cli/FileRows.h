#pragma once
// Rows of pixels as image files hold them (interleaved float channels as
// fractions of full scale, OpenImageIO's buffers) to and from the host's ARGB
// images, a strip at a time, so no full frame of file channels is ever held.

#include "host/Image.h"

namespace vmcli {

// Where a file's colour and alpha channels sit in each pixel.
struct FileChannels {
    int count = 4;
    int colour[3] = {0, 1, 2};
    int alpha = 3;  // -1: none, and the pixels are opaque

    // Grey (1), grey and alpha (2), RGB (3), or RGB with alpha at
    // `alphaChannel` (4 or more; -1: none, and the fourth channel is not alpha).
    // The colour channels are the first ones that are not alpha.
    static FileChannels of(int count, int alphaChannel);
};

// `rows` rows of file pixels into the image from row `firstRow` on. Integer
// formats round to the nearest step and clip to full scale. Premultiplied
// colour is made straight; colour under zero alpha becomes 0.
void fileRowsToImage(const float* values, const FileChannels& channels, bool premultiplied, vmhost::Image& image,
                     int firstRow, int rows);

// `rows` image rows from `firstRow` on as RGBA floats (RGB without alpha),
// the colour premultiplied by alpha when asked.
void imageRowsToFile(const vmhost::Image& image, int firstRow, int rows, bool withAlpha, bool premultiplied,
                     float* values);

}  // namespace vmcli
