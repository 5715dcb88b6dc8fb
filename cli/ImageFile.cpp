#include "cli/ImageFile.h"

#include <OpenImageIO/imageio.h>

#include "cli/CliErrors.h"

namespace vmcli {

namespace {

namespace oiio = OIIO;

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

oiio::TypeDesc typeOf(int depth) {
    if (depth == 8) return oiio::TypeDesc::UINT8;
    if (depth == 16) return oiio::TypeDesc::UINT16;
    return oiio::TypeDesc::FLOAT;
}

// Formats whose files hold colour premultiplied by alpha, by their convention.
bool storesPremultiplied(const std::string& formatName) {
    return formatName == "openexr";
}

std::string reason(const std::string& error) {
    return error.empty() ? "unknown error" : error;
}

}  // namespace

ImageFileContents readImageFile(const std::string& path) {
    oiio::ImageSpec config;
    // Straight alpha stays as stored instead of being premultiplied on the way in.
    config.attribute("oiio:UnassociatedAlpha", 1);
    auto in = oiio::ImageInput::open(path, &config);
    if (!in) throw RunError("cannot read \"" + path + "\": " + reason(oiio::geterror()));
    const oiio::ImageSpec& spec = in->spec();
    if (spec.deep || spec.depth > 1)
        throw RunError("cannot read \"" + path + "\": deep and volume images are not supported");
    if (spec.width < 1 || spec.height < 1 || spec.nchannels < 1)
        throw RunError("cannot read \"" + path + "\": the image is empty");

    std::vector<float> data(static_cast<std::size_t>(spec.width) * spec.height * spec.nchannels);
    if (!in->read_image(0, 0, 0, spec.nchannels, oiio::TypeDesc::FLOAT, data.data()))
        throw RunError("cannot read \"" + path + "\": " + reason(in->geterror()));

    ImageFileContents contents;
    contents.depth = depthOf(spec.format);
    contents.pixels = rgbaFromChannels(data, spec.width, spec.height, spec.nchannels, spec.alpha_channel);
    const bool straight = spec.get_int_attribute("oiio:UnassociatedAlpha", 0) != 0;
    if (spec.alpha_channel >= 0 && !straight) unpremultiply(contents.pixels);
    return contents;
}

void writeImageFile(const RgbaPixels& pixels, int depth, const std::string& formatPath, const std::string& writePath) {
    auto out = oiio::ImageOutput::create(formatPath);
    if (!out) throw RunError("cannot write \"" + formatPath + "\": " + reason(oiio::geterror()));
    const bool withAlpha = out->supports("alpha") != 0;
    const int channels = withAlpha ? 4 : 3;
    oiio::ImageSpec spec(pixels.width, pixels.height, channels, typeOf(depth));
    spec.alpha_channel = withAlpha ? 3 : -1;

    RgbaPixels stored = pixels;
    if (withAlpha && storesPremultiplied(out->format_name()))
        premultiply(stored);
    else
        spec.attribute("oiio:UnassociatedAlpha", 1);  // the data is straight: store it as it is

    std::vector<float> data;
    if (withAlpha) {
        data = std::move(stored.values);
    } else {
        data.reserve(static_cast<std::size_t>(pixels.width) * pixels.height * 3);
        for (std::size_t i = 0; i < stored.values.size(); i += 4)
            data.insert(data.end(), stored.values.begin() + i, stored.values.begin() + i + 3);
    }
    if (!out->open(writePath, spec)) throw RunError("cannot write \"" + formatPath + "\": " + reason(out->geterror()));
    const bool written = out->write_image(oiio::TypeDesc::FLOAT, data.data());
    const bool closed = out->close();
    if (!written || !closed) throw RunError("cannot write \"" + formatPath + "\": " + reason(out->geterror()));
}

bool canWriteFormatOf(const std::string& path) {
    const bool known = oiio::ImageOutput::create(path) != nullptr;
    if (!known) oiio::geterror();  // consumed, so it does not show up in a later message
    return known;
}

}  // namespace vmcli
