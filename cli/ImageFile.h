#pragma once
// Image files through OpenImageIO: PNG, TIFF, OpenEXR and whatever else it
// reads and writes. Pixels come and go with straight alpha, converted between
// the file and the host's image a strip of rows at a time.

#include <functional>
#include <optional>
#include <string>

#include "host/Image.h"

namespace vmcli {

struct ImageFileContents {
    vmhost::Image image;      // ARGB, straight alpha
    int depth = 8;            // the file's: 8, 16 or 32, the render depth that keeps its precision
    bool halfFloat = false;   // the file's channels are 16-bit floats
};

struct WriteOptions {
    // Float images go to the file as 16-bit floats where the format has them.
    bool halfFloat = false;
    // Threads OpenImageIO may use on the file (0: as many as it likes).
    int threads = 0;
};

// Where a frame's pixels live: an image of this format and size whose
// contents are about to be overwritten (e.g. recycled host memory).
using ImageMaker = std::function<vmhost::Image(PF_PixelFormat format, A_long width, A_long height)>;

// The first subimage, in the host format of `depth` bits (nullopt: the
// file's own), in an image from `makeImage` (default: new memory).
// `threads`: how many threads OpenImageIO may use on the file (0: as many as
// it likes). Throws RunError when the file cannot be read.
ImageFileContents readImageFile(const std::string& path, std::optional<int> depth = std::nullopt, int threads = 0,
                                const ImageMaker& makeImage = {});

// Writes `image` to `writePath` in the format that `formatPath`'s name calls
// for (so a temporary name can stand in for the final one), with channels of
// the image's depth where the format has them. Formats without alpha get the
// colour only. Throws RunError when the file cannot be written.
void writeImageFile(const vmhost::Image& image, const std::string& formatPath, const std::string& writePath,
                    const WriteOptions& options = {});

// Threads OpenImageIO may use on each file when `framesAtOnce` frames are
// read and written at the same time: all of the machine's for one frame,
// an even share of them for several (at least one).
int fileThreadsPerFrame(int framesAtOnce);
// Sizes OpenImageIO's shared pools for that many frames at once: OpenEXR's
// coding pool works for every frame, so with a frame for each core each
// frame codes on its own thread instead.
void shareFileThreads(int framesAtOnce);

// True when OpenImageIO can write files with this name.
bool canWriteFormatOf(const std::string& path);

}  // namespace vmcli
