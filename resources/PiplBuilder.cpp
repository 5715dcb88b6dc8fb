#include "resources/PiplBuilder.h"

#include "resources/LittleEndian.h"
#include "resources/PluginProperties.h"

#include <cstring>
#include <string>

namespace plugin {

namespace {

// Four-character codes are stored as little-endian 32-bit numbers of the C literal,
// so their characters appear reversed in the file.
constexpr std::uint32_t fourCC(const char* code) {
    return (std::uint32_t(std::uint8_t(code[0])) << 24) | (std::uint32_t(std::uint8_t(code[1])) << 16) |
           (std::uint32_t(std::uint8_t(code[2])) << 8) | std::uint32_t(std::uint8_t(code[3]));
}

class PiplWriter {
public:
    void u16(std::uint16_t value) { appendLittleEndian(bytes_, value, 2); }
    void u32(std::uint32_t value) { appendLittleEndian(bytes_, value, 4); }
    void raw(const void* data, std::size_t size) {
        const auto* p = static_cast<const std::uint8_t*>(data);
        bytes_.insert(bytes_.end(), p, p + size);
    }
    // vendor '8BIM', key, id 0, length, value, then the value padded to a multiple of 4.
    // The padding follows the value's length, not the position in the file: the header
    // is 10 bytes, so properties do not start on 4-byte boundaries.
    void property(const char* key, const std::vector<std::uint8_t>& value) {
        u32(fourCC("8BIM"));
        u32(fourCC(key));
        u32(0);
        u32(std::uint32_t(value.size()));
        raw(value.data(), value.size());
        for (std::size_t pad = value.size(); pad % 4 != 0; ++pad) bytes_.push_back(0);
    }

    std::vector<std::uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

std::vector<std::uint8_t> le32(std::uint32_t value) {
    std::vector<std::uint8_t> bytes;
    appendLittleEndian(bytes, value, 4);
    return bytes;
}

std::vector<std::uint8_t> twoShorts(int first, int second) {
    return {std::uint8_t(first), std::uint8_t(first >> 8), std::uint8_t(second), std::uint8_t(second >> 8)};
}

// The string zero-padded to a multiple of 4 (at least one terminator), optionally led by
// its length byte; the padding counts in the property length.
std::vector<std::uint8_t> paddedString(const char* text, bool lengthPrefixed) {
    std::vector<std::uint8_t> value;
    const std::size_t length = std::strlen(text);
    if (lengthPrefixed) value.push_back(std::uint8_t(length));
    value.insert(value.end(), text, text + length);
    value.push_back(0);
    while (value.size() % 4 != 0) value.push_back(0);
    return value;
}

}  // namespace

std::vector<std::uint8_t> buildPipl() {
    struct Property {
        const char* key;
        std::vector<std::uint8_t> value;
    };
    const Property properties[] = {
        {"kind", le32(fourCC("eFKT"))},
        {"name", paddedString(kDisplayName, true)},
        {"catg", paddedString(kCategory, true)},
        {"8664", paddedString(kEntryPointName, false)},
        {"ePVR", twoShorts(kPiplMajor, kPiplMinor)},
        {"eSVR", twoShorts(kApiMajor, kApiMinor)},
        {"eVER", le32(std::uint32_t(kPackedVersion))},
        {"eINF", {0, 0}},
        {"eGLO", le32(std::uint32_t(kOutFlags))},
        {"eGL2", le32(std::uint32_t(kOutFlags2))},
        {"eMNA", paddedString(kMatchName, true)},
        {"aeFL", le32(0)},
    };

    PiplWriter writer;
    writer.u16(1);
    writer.u32(0);
    writer.u32(std::uint32_t(sizeof properties / sizeof properties[0]));
    for (const Property& property : properties) writer.property(property.key, property.value);
    return writer.take();
}

}  // namespace plugin
