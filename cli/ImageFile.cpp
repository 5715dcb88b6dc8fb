#include "cli/ImageFile.h"

#include <OpenImageIO/imageio.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <new>
#include <thread>
#include <vector>

#include "cli/CheckedFileOutput.h"
#include "cli/CliErrors.h"
#include "cli/FileRows.h"
#include "cli/RenderDepth.h"

namespace vmcli {

namespace {

namespace oiio = OIIO;

// Rows converted at a time: strips of about 16 MB of float channels, many
// compressed blocks each, so the library can code them on several threads.
constexpr std::size_t kStripBytes = 16u << 20;

int stripRows(int width, int channels, int rowMultiple) {
    const std::size_t rowBytes = static_cast<std::size_t>(width) * channels * sizeof(float);
    const int rows = static_cast<int>(std::max<std::size_t>(1, kStripBytes / std::max<std::size_t>(1, rowBytes)));
    return std::max(1, rows / rowMultiple) * rowMultiple;
}

int depthOf(oiio::TypeDesc type) {
    switch (type.basetype) {
        case oiio::TypeDesc::UINT8:
        case oiio::TypeDesc::INT8: return 8;
        case oiio::TypeDesc::HALF:
        case oiio::TypeDesc::FLOAT:
        case oiio::TypeDesc::DOUBLE: return 32;
        default: return 16;
    }
}

oiio::TypeDesc typeOf(int depth, bool halfFloat) {
    if (depth == 8) return oiio::TypeDesc::UINT8;
    if (depth == 16) return oiio::TypeDesc::UINT16;
    return halfFloat ? oiio::TypeDesc::HALF : oiio::TypeDesc::FLOAT;
}

// Formats whose files hold colour premultiplied by alpha, by their convention.
bool storesPremultiplied(const std::string& formatName) {
    return formatName == "openexr";
}

// Libraries' messages can span lines; ours are one line each.
std::string reason(const std::string& error) {
    if (error.empty()) return "unknown error";
    std::string line;
    for (char c : error) {
        if (c == '\n' || c == '\r') {
            if (!line.empty() && line.back() != ' ') line += "; ";
        } else {
            line += c;
        }
    }
    while (!line.empty() && (line.back() == ' ' || line.back() == ';')) line.pop_back();
    return line;
}

int floorDivided(int value, int factor) {
    return value >= 0 ? value / factor : -((-value + factor - 1) / factor);
}

int ceilDivided(int value, int factor) {
    return (value + factor - 1) / factor;
}

// Only grey and alpha: a pair of colour channels (an OpenEXR "R, G") is no
// picture this program can show.
void checkChannelLayout(const oiio::ImageSpec& spec, const std::string& path) {
    if (spec.nchannels != 2 || spec.alpha_channel == 1) return;
    std::string names;
    for (const std::string& name : spec.channelnames) names += (names.empty() ? "" : ", ") + name;
    throw RunError("cannot read \"" + path + "\": its two channels (" + names +
                   ") are not grey and alpha (Y, A); only those two channels can be read");
}

// One image per file: the renderer writes one image back.
void checkSingleImage(oiio::ImageInput& in, const std::string& path) {
    if (!in.seek_subimage(1, 0)) {
        in.geterror();  // "no such subimage" is the answer, not an error
        return;
    }
    int images = 2;
    while (images < 1000 && in.seek_subimage(images, 0)) ++images;
    in.geterror();
    throw RunError("cannot read \"" + path + "\": it holds " + std::to_string(images) +
                   " images (pages or parts); only files with one image are rendered");
}

void checkSize(const oiio::ImageSpec& spec, const std::string& path, std::uint64_t maxPixels) {
    const std::uint64_t pixels = static_cast<std::uint64_t>(spec.width) * static_cast<std::uint64_t>(spec.height);
    if (pixels > maxPixels)
        throw RunError("cannot read \"" + path + "\": image too large: " + std::to_string(spec.width) + " x " +
                       std::to_string(spec.height) + " pixels, more than the " + std::to_string(maxPixels) +
                       " allowed (--max-pixels)");
}

ImageWindows windowsOf(const oiio::ImageSpec& spec) {
    ImageWindows windows;
    windows.x = spec.x;
    windows.y = spec.y;
    const bool wholeFrame = spec.full_x == spec.x && spec.full_y == spec.y && spec.full_width == spec.width &&
                            spec.full_height == spec.height;
    if (!wholeFrame && spec.full_width > 0 && spec.full_height > 0) {
        windows.displayX = spec.full_x;
        windows.displayY = spec.full_y;
        windows.displayWidth = spec.full_width;
        windows.displayHeight = spec.full_height;
    }
    return windows;
}

void setWindows(oiio::ImageSpec& spec, const ImageWindows& windows, const oiio::ImageOutput& out) {
    if (!out.supports("origin")) return;
    if ((windows.x < 0 || windows.y < 0) && !out.supports("negativeorigin")) return;
    spec.x = windows.x;
    spec.y = windows.y;
    if (windows.displayWidth > 0 && windows.displayHeight > 0 && out.supports("displaywindow")) {
        spec.full_x = windows.displayX;
        spec.full_y = windows.displayY;
        spec.full_width = windows.displayWidth;
        spec.full_height = windows.displayHeight;
    } else {
        spec.full_x = spec.x;
        spec.full_y = spec.y;
    }
}

// Rows [first, first + count) of the first subimage as float channels; tiled
// files are read by whole rows of tiles.
bool readRows(oiio::ImageInput& in, int first, int count, float* values) {
    const oiio::ImageSpec& spec = in.spec();
    const int y = spec.y + first;
    if (spec.tile_width > 0)
        return in.read_tiles(0, 0, spec.x, spec.x + spec.width, y, y + count, spec.z, spec.z + 1, 0, spec.nchannels,
                             oiio::TypeDesc::FLOAT, values);
    return in.read_scanlines(0, 0, y, y + count, spec.z, 0, spec.nchannels, oiio::TypeDesc::FLOAT, values);
}

}  // namespace

ImageFileContents readImageFile(const std::string& path, std::optional<int> depth, int threads,
                                const ImageMaker& makeImage, std::uint64_t maxPixels) {
    oiio::ImageSpec config;
    // Straight alpha stays as stored instead of being premultiplied on the way in.
    config.attribute("oiio:UnassociatedAlpha", 1);
    auto in = oiio::ImageInput::open(path, &config);
    if (!in) throw RunError("cannot read \"" + path + "\": " + reason(oiio::geterror()));
    in->threads(threads);
    checkSingleImage(*in, path);
    if (!in->seek_subimage(0, 0)) throw RunError("cannot read \"" + path + "\": " + reason(in->geterror()));
    const oiio::ImageSpec& spec = in->spec();
    if (spec.deep || spec.depth > 1)
        throw RunError("cannot read \"" + path + "\": deep and volume images are not supported");
    if (spec.width < 1 || spec.height < 1 || spec.nchannels < 1)
        throw RunError("cannot read \"" + path + "\": the image is empty");
    checkSize(spec, path, maxPixels);
    checkChannelLayout(spec, path);

    ImageFileContents contents;
    contents.depth = depthOf(spec.format);
    contents.halfFloat = spec.format == oiio::TypeDesc::HALF;
    contents.windows = windowsOf(spec);
    const PF_PixelFormat format = pixelFormatForDepth(depth.value_or(contents.depth));
    try {
        contents.image = makeImage ? makeImage(format, spec.width, spec.height)
                                   : vmhost::Image::unfilled(format, spec.width, spec.height);
    } catch (const std::bad_alloc&) {
        throw RunError("cannot read \"" + path + "\": not enough memory for " + std::to_string(spec.width) + " x " +
                       std::to_string(spec.height) + " pixels");
    }
    const FileChannels channels = FileChannels::of(spec.nchannels, spec.alpha_channel);
    const bool straight = spec.get_int_attribute("oiio:UnassociatedAlpha", 0) != 0;
    const bool premultiplied = spec.alpha_channel >= 0 && !straight;
    const int strip = stripRows(spec.width, spec.nchannels, std::max(1, spec.tile_height));
    std::vector<float> values(static_cast<std::size_t>(spec.width) * spec.nchannels * std::min(strip, spec.height));
    for (int y = 0; y < spec.height; y += strip) {
        const int rows = std::min(strip, spec.height - y);
        // A file cut short can read "successfully" with the missing pixels black; the
        // error is only recorded (TIFF strips, for one).
        if (!readRows(*in, y, rows, values.data()) || in->has_error())
            throw RunError("cannot read \"" + path + "\": " + reason(in->geterror()));
        fileRowsToImage(values.data(), channels, premultiplied, contents.image, y, rows);
    }
    return contents;
}

int writeImageFile(const vmhost::Image& image, const std::string& formatPath, const std::string& writePath,
                   const WriteOptions& options) {
    // Declared first, so the writer, which may still use it, goes before it.
    std::unique_ptr<CheckedFileOutput> file;
    auto out = oiio::ImageOutput::create(formatPath);
    if (!out) throw RunError("cannot write \"" + formatPath + "\": " + reason(oiio::geterror()));
    out->threads(options.threads);
    const bool withAlpha = out->supports("alpha") != 0;
    const int channels = withAlpha ? 4 : 3;
    const oiio::TypeDesc type = typeOf(depthOfFormat(image.format()), options.halfFloat);
    oiio::ImageSpec spec(image.width(), image.height(), channels, type);
    spec.alpha_channel = withAlpha ? 3 : -1;
    const bool premultiplied = withAlpha && storesPremultiplied(out->format_name());
    if (withAlpha && !premultiplied) spec.attribute("oiio:UnassociatedAlpha", 1);  // store straight data as it is
    setWindows(spec, options.windows, *out);

    // Writers that take a proxy write through one that sees every failed write.
    if (out->supports("ioproxy")) {
        file = std::make_unique<CheckedFileOutput>(writePath);
        out->set_ioproxy(file.get());
    }
    if (!out->open(writePath, spec)) throw RunError("cannot write \"" + formatPath + "\": " + reason(out->geterror()));
    const int strip = stripRows(image.width(), channels, 1);
    const int top = out->spec().y;  // rows are numbered from the data window's top
    std::vector<float> values(static_cast<std::size_t>(image.width()) * channels * std::min(strip, image.height()));
    bool written = true;
    for (int y = 0; written && y < image.height(); y += strip) {
        const int rows = std::min(strip, image.height() - y);
        imageRowsToFile(image, y, rows, withAlpha, premultiplied, values.data());
        written = out->write_scanlines(top + y, top + y + rows, 0, oiio::TypeDesc::FLOAT, values.data());
    }
    const bool closed = out->close();
    // A device failure names the cause better than the library's view of it.
    const std::string deviceFailure = file ? file->finish() : syncWrittenFile(writePath);
    if (!deviceFailure.empty()) throw RunError("cannot write \"" + formatPath + "\": " + deviceFailure);
    // Some writers report a failed encode only in their error state, which
    // also collects harmless notes (TIFF's Exif directory): an empty file tells.
    std::error_code error;
    const bool empty = std::filesystem::file_size(writePath, error) == 0 && !error;
    if (!written || !closed || empty) throw RunError("cannot write \"" + formatPath + "\": " + reason(out->geterror()));
    out->geterror();  // consumed, so it does not show up in a later message
    return depthOf(out->spec().format);
}

bool ImageWindows::operator==(const ImageWindows& other) const {
    return x == other.x && y == other.y && displayX == other.displayX && displayY == other.displayY &&
           displayWidth == other.displayWidth && displayHeight == other.displayHeight;
}

ImageWindows scaledWindows(const ImageWindows& windows, int factorX, int factorY) {
    ImageWindows scaled;
    scaled.x = floorDivided(windows.x, factorX);
    scaled.y = floorDivided(windows.y, factorY);
    scaled.displayX = floorDivided(windows.displayX, factorX);
    scaled.displayY = floorDivided(windows.displayY, factorY);
    scaled.displayWidth = ceilDivided(windows.displayWidth, factorX);
    scaled.displayHeight = ceilDivided(windows.displayHeight, factorY);
    return scaled;
}

int fileThreadsPerFrame(int framesAtOnce) {
    if (framesAtOnce <= 1) return 0;
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()) / framesAtOnce);
}

void shareFileThreads(int framesAtOnce) {
    const int cores = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    // OpenImageIO's own conversions follow each file's threads(); 0 sizes
    // OpenEXR's pool to the machine, -1 leaves coding on the calling thread.
    oiio::attribute("exr_threads", framesAtOnce >= cores ? -1 : 0);
}

}  // namespace vmcli
