#include "cli/OutputFormat.h"

#include <OpenImageIO/imageio.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <sstream>
#include <vector>

#include "cli/CliErrors.h"

namespace vmcli {

namespace {

std::string lowerCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::istringstream stream(text);
    for (std::string part; std::getline(stream, part, separator);) parts.push_back(part);
    return parts;
}

bool writesNoFile(const std::string& format) {
    return format == "null" || format == "term";
}

}  // namespace

std::optional<std::string> outputFormatOf(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    if (extension.size() < 2) return std::nullopt;
    extension = lowerCase(extension.substr(1));
    const std::vector<std::string> writers = split(OIIO::get_string_attribute("output_format_list"), ',');
    // "format:ext,ext;format:ext..."
    for (const std::string& entry : split(OIIO::get_string_attribute("extension_list"), ';')) {
        const std::size_t colon = entry.find(':');
        if (colon == std::string::npos) continue;
        const std::string format = entry.substr(0, colon);
        if (std::find(writers.begin(), writers.end(), format) == writers.end()) continue;
        const std::vector<std::string> extensions = split(entry.substr(colon + 1), ',');
        if (std::find(extensions.begin(), extensions.end(), extension) != extensions.end()) return format;
    }
    return std::nullopt;
}

void checkOutputFormat(const std::string& path) {
    const std::optional<std::string> format = outputFormatOf(path);
    if (!format) throw RunError("cannot write \"" + path + "\": no image format is known by that name");
    if (writesNoFile(*format))
        throw RunError("cannot write \"" + path + "\": the \"" + *format + "\" format writes no image file");
}

}  // namespace vmcli
