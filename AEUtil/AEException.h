#pragma once
// The exceptions of the utility layer. Their text starts with the throw site's source
// file and line, "file(line): ", followed by the site's own printf-style message.

#include "hostapi/HostApi.h"

#include <cstdarg>
#include <cstdint>
#include <exception>
#include <string>

namespace AEUtil {

// "file(line): " followed by the formatted text. Each part is bounded by the
// 2048-character message buffer; a longer text is cut on a character boundary.
std::string formatThrowSiteMessage(const char* file, int line, const char* format, std::va_list args);

// A host error code with a message. The entry point returns `code` to the host.
class AEException : public std::exception {
public:
    AEException(PF_Err code, int line, const char* file, const char* format, ...);
    AEException(const AEException&) = default;
    AEException& operator=(const AEException&) = default;
    ~AEException() override;

    const char* what() const noexcept override;
    virtual const char* message() const noexcept;

    PF_Err code;

private:
    std::string message_;
    mutable std::string whatText_;
};

// A Windows error code with a message; it reaches the host as an internal error.
// Note the argument order: file before line, unlike AEException.
class Win32Exception : public std::exception {
public:
    Win32Exception(std::uint32_t code, const char* file, int line, const char* format, ...);
    ~Win32Exception() override;

    const char* what() const noexcept override;

    std::uint32_t code;

private:
    std::string message_;
};

}  // namespace AEUtil

// Throw sites pass their own file and line.
#define AE_THROW(code, ...) throw ::AEUtil::AEException((code), __LINE__, __FILE__, __VA_ARGS__)
