#include "AEUtil/MbcsText.h"

#include <cstring>

namespace AEUtil {

bool isShiftJisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::size_t boundedTextLength(const char* text, std::size_t maxBytes) {
    std::size_t length = 0;
    while (length < maxBytes && text[length] != '\0') {
        const bool pair = isShiftJisLeadByte(static_cast<unsigned char>(text[length])) && text[length + 1] != '\0';
        const std::size_t width = pair ? 2 : 1;
        if (length + width > maxBytes) break;
        length += width;
    }
    return length;
}

void copyBoundedText(char* dest, std::size_t destSize, const char* text) {
    if (destSize == 0) return;
    const std::size_t length = boundedTextLength(text, destSize - 1);
    std::memmove(dest, text, length);
    dest[length] = '\0';
}

}  // namespace AEUtil
