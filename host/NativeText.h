#pragma once
// Text conversions at the operating-system boundary: UTF-8 inside, the
// system's own encoding outside.

#include <string>

namespace vmhost {

#ifdef _WIN32
std::wstring wideFromUtf8(const std::string& text);
std::string utf8FromWide(const std::wstring& text);
#endif

// UTF-16 code units of a UTF-8 string (for the host's wide path data).
std::u16string utf16FromUtf8(const std::string& text);

// The message of the last failed system call of this thread (errno or GetLastError).
std::string lastSystemErrorText();

}  // namespace vmhost
