#pragma once
// Image files through OpenImageIO: PNG, TIFF, OpenEXR and whatever else it
// reads and writes. Pixels come and go with straight alpha.

#include <string>

#include "cli/RgbaPixels.h"

namespace vmcli {

struct ImageFileContents {
    RgbaPixels pixels;
    int depth = 8;  // 8, 16 or 32: the render depth that keeps the file's precision
};

// The first subimage. Throws RunError when the file cannot be read.
ImageFileContents readImageFile(const std::string& path);

// Writes `pixels` to `writePath` in the format that `formatPath`'s name
// calls for (so a temporary name can stand in for the final one), with
// channels of `depth` bits where the format has them. Formats without alpha
// get the colour only. Throws RunError when the file cannot be written.
void writeImageFile(const RgbaPixels& pixels, int depth, const std::string& formatPath, const std::string& writePath);

// True when OpenImageIO can write files with this name.
bool canWriteFormatOf(const std::string& path);

}  // namespace vmcli
