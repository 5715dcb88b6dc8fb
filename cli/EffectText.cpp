#include "cli/EffectText.h"

#include <iconv.h>

#include <memory>
#include <vector>

namespace vmcli {

namespace {

struct IconvCloser {
    void operator()(void* handle) const { iconv_close(static_cast<iconv_t>(handle)); }
};

std::string fromCodePage932(const std::string& text) {
    const iconv_t handle = iconv_open("UTF-8", "CP932");
    if (handle == reinterpret_cast<iconv_t>(-1)) return text;
    const std::unique_ptr<void, IconvCloser> closer(handle);
    std::vector<char> in(text.begin(), text.end());
    std::vector<char> out(text.size() * 4 + 4);
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(handle, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1)) break;
        // A byte that is not code page 932 shows as "?" rather than ending the text.
        if (outLeft == 0) break;
        *outPtr++ = '?';
        --outLeft;
        ++inPtr;
        --inLeft;
    }
    return std::string(out.data(), outPtr);
}

std::string withUnixLineEnds(const std::string& text) {
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            result += '\n';
        } else {
            result += text[i];
        }
    }
    while (!result.empty() && result.back() == '\n') result.pop_back();
    return result;
}

}  // namespace

bool isValidUtf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int follow = 0;
        if (lead < 0x80)
            follow = 0;
        else if (lead >= 0xC2 && lead <= 0xDF)
            follow = 1;
        else if (lead >= 0xE0 && lead <= 0xEF)
            follow = 2;
        else if (lead >= 0xF0 && lead <= 0xF4)
            follow = 3;
        else
            return false;
        if (follow > 0 && i + follow >= text.size()) return false;
        for (int k = 1; k <= follow; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        }
        i += follow + 1;
    }
    return true;
}

std::string effectTextToUtf8(const std::string& text) {
    return withUnixLineEnds(isValidUtf8(text) ? text : fromCodePage932(text));
}

}  // namespace vmcli
