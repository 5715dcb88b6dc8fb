#include "AEUtil/AEException.h"

#include "AEUtil/MbcsText.h"

#include <cstdio>

namespace AEUtil {

namespace {

constexpr std::size_t kMessageBufferSize = 2048;

// Formats in full first, so that a cut at the buffer size can see whether it would
// split a double-byte character, then keeps what fits in the message buffer.
std::string formatBounded(const char* format, std::va_list args) {
    std::va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length <= 0) return std::string();
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::vsnprintf(&text[0], text.size(), format, args);
    text.resize(boundedTextLength(text.c_str(), kMessageBufferSize - 1));
    return text;
}

std::string formatBounded(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::string text = formatBounded(format, args);
    va_end(args);
    return text;
}

}  // namespace

std::string formatThrowSiteMessage(const char* file, int line, const char* format, std::va_list args) {
    std::string message = formatBounded("%s(%d): ", file != nullptr ? file : "", line);
    message += formatBounded(format != nullptr ? format : "", args);
    return message;
}

AEException::AEException(PF_Err errorCode, int line, const char* file, const char* format, ...) : code(errorCode) {
    std::va_list args;
    va_start(args, format);
    message_ = formatThrowSiteMessage(file, line, format, args);
    va_end(args);
}

AEException::~AEException() = default;

const char* AEException::what() const noexcept {
    try {
        whatText_ = message_;
        return whatText_.c_str();
    } catch (...) {
        return message_.c_str();
    }
}

const char* AEException::message() const noexcept {
    return message_.c_str();
}

Win32Exception::Win32Exception(std::uint32_t errorCode, const char* file, int line, const char* format, ...)
    : code(errorCode) {
    std::va_list args;
    va_start(args, format);
    message_ = formatThrowSiteMessage(file, line, format, args);
    va_end(args);
}

Win32Exception::~Win32Exception() = default;

const char* Win32Exception::what() const noexcept {
    return message_.c_str();
}

}  // namespace AEUtil
