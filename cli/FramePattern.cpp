#include "cli/FramePattern.h"

#include <cctype>

#include "cli/CliErrors.h"

namespace vmcli {

FramePattern::FramePattern(std::string path) : text_(std::move(path)) {
    std::string* part = &before_;
    for (std::size_t i = 0; i < text_.size(); ++i) {
        const char c = text_[i];
        if (c != '%') {
            *part += c;
            continue;
        }
        if (i + 1 < text_.size() && text_[i + 1] == '%') {
            *part += '%';
            ++i;
            continue;
        }
        std::size_t end = i + 1;
        while (end < text_.size() && std::isdigit(static_cast<unsigned char>(text_[end]))) ++end;
        if (end >= text_.size() || text_[end] != 'd') {
            *part += c;  // not a field, e.g. "50%.png"
            continue;
        }
        const std::string digits = text_.substr(i + 1, end - i - 1);
        if (!digits.empty() && digits[0] != '0')
            throw UsageError("\"" + text_ + "\": the frame field %" + digits + "d would pad with spaces; use %0" +
                             digits + "d");
        if (hasFrameField()) throw UsageError("\"" + text_ + "\" holds more than one frame-number field");
        fieldWidth_ = digits.empty() ? 0 : std::stoi(digits);
        part = &after_;
        i = end;
    }
}

std::string FramePattern::pathFor(int frame) const {
    if (!hasFrameField()) return before_;
    std::string number = std::to_string(frame);
    if (static_cast<int>(number.size()) < fieldWidth_) number.insert(0, fieldWidth_ - number.size(), '0');
    return before_ + number + after_;
}

}  // namespace vmcli
