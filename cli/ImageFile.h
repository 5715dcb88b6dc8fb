#pragma once
// Image files through OpenImageIO: PNG, TIFF, OpenEXR and whatever else it
// reads and writes. Pixels come and go with straight alpha, converted between
// the file and the host's image a strip of rows at a time.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "cli/ImageLimits.h"
#include "host/Image.h"

namespace vmcli {

// Where a file's pixels sit: the data window's top-left corner, and the
// display window (the whole frame, which the data may cover only in part).
// A display size of 0 means the data window is the whole frame.
struct ImageWindows {
    int x = 0;
    int y = 0;
    int displayX = 0;
    int displayY = 0;
    int displayWidth = 0;
    int displayHeight = 0;

    bool operator==(const ImageWindows& other) const;
};

// The windows of a frame rendered at 1/factor of its size, as subsampled()
// picks the pixels: corners divided, sizes rounded up.
ImageWindows scaledWindows(const ImageWindows& windows, int factorX, int factorY);

struct ImageFileContents {
    vmhost::Image image;      // ARGB, straight alpha; the file's data window
    int depth = 8;            // the file's: 8, 16 or 32, the render depth that keeps its precision
    bool halfFloat = false;   // the file's channels are 16-bit floats
    ImageWindows windows;
};

struct WriteOptions {
    // Float images go to the file as 16-bit floats where the format has them.
    bool halfFloat = false;
    // Threads OpenImageIO may use on the file (0: as many as it likes).
    int threads = 0;
    // Kept where the format has windows.
    ImageWindows windows;
};

// Where a frame's pixels live: an image of this format and size whose
// contents are about to be overwritten (e.g. recycled host memory).
using ImageMaker = std::function<vmhost::Image(PF_PixelFormat format, A_long width, A_long height)>;

// The file's one image, in the host format of `depth` bits (nullopt: the
// file's own), in an image from `makeImage` (default: new memory).
// `threads`: how many threads OpenImageIO may use on the file (0: as many as
// it likes). Throws RunError when the file cannot be read, holds more than one
// image, or is larger than `maxPixels`.
ImageFileContents readImageFile(const std::string& path, std::optional<int> depth = std::nullopt, int threads = 0,
                                const ImageMaker& makeImage = {}, std::uint64_t maxPixels = kDefaultMaxPixels);

// Writes `image` to `writePath` in the format that `formatPath`'s name calls
// for (so a temporary name can stand in for the final one), with channels of
// the image's depth where the format has them. Formats without alpha get the
// colour only. Every write reaches the device before this returns; throws
// RunError when the file cannot be written in full. Returns the depth of the
// file's channels (8, 16 or 32), lower than the image's where the format
// holds no deeper ones.
int writeImageFile(const vmhost::Image& image, const std::string& formatPath, const std::string& writePath,
                    const WriteOptions& options = {});

// Threads OpenImageIO may use on each file when `framesAtOnce` frames are
// read and written at the same time: all of the machine's for one frame,
// an even share of them for several (at least one).
int fileThreadsPerFrame(int framesAtOnce);
// Sizes OpenImageIO's shared pools for that many frames at once: OpenEXR's
// coding pool works for every frame, so with a frame for each core each
// frame codes on its own thread instead.
void shareFileThreads(int framesAtOnce);

}  // namespace vmcli
