#include "cli/ImageFile.h"

#include <OpenImageIO/imageio.h>

#include <algorithm>
#include <thread>
#include <vector>

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

std::string reason(const std::string& error) {
    return error.empty() ? "unknown error" : error;
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
                                const ImageMaker& makeImage) {
    oiio::ImageSpec config;
    // Straight alpha stays as stored instead of being premultiplied on the way in.
    config.attribute("oiio:UnassociatedAlpha", 1);
    auto in = oiio::ImageInput::open(path, &config);
    if (!in) throw RunError("cannot read \"" + path + "\": " + reason(oiio::geterror()));
    in->threads(threads);
    const oiio::ImageSpec& spec = in->spec();
    if (spec.deep || spec.depth > 1)
        throw RunError("cannot read \"" + path + "\": deep and volume images are not supported");
    if (spec.width < 1 || spec.height < 1 || spec.nchannels < 1)
        throw RunError("cannot read \"" + path + "\": the image is empty");

    ImageFileContents contents;
    contents.depth = depthOf(spec.format);
    contents.halfFloat = spec.format == oiio::TypeDesc::HALF;
    const PF_PixelFormat format = pixelFormatForDepth(depth.value_or(contents.depth));
    contents.image = makeImage ? makeImage(format, spec.width, spec.height)
                               : vmhost::Image::unfilled(format, spec.width, spec.height);
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

void writeImageFile(const vmhost::Image& image, const std::string& formatPath, const std::string& writePath,
                    const WriteOptions& options) {
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

    if (!out->open(writePath, spec)) throw RunError("cannot write \"" + formatPath + "\": " + reason(out->geterror()));
    const int strip = stripRows(image.width(), channels, 1);
    std::vector<float> values(static_cast<std::size_t>(image.width()) * channels * std::min(strip, image.height()));
    bool written = true;
    for (int y = 0; written && y < image.height(); y += strip) {
        const int rows = std::min(strip, image.height() - y);
        imageRowsToFile(image, y, rows, withAlpha, premultiplied, values.data());
        written = out->write_scanlines(y, y + rows, 0, oiio::TypeDesc::FLOAT, values.data());
    }
    const bool closed = out->close();
    if (!written || !closed) throw RunError("cannot write \"" + formatPath + "\": " + reason(out->geterror()));
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

bool canWriteFormatOf(const std::string& path) {
    const bool known = oiio::ImageOutput::create(path) != nullptr;
    if (!known) oiio::geterror();  // consumed, so it does not show up in a later message
    return known;
}

}  // namespace vmcli
