#pragma once
// Texts from the effect (about text, return_msg) for a UTF-8 terminal: the
// effect writes 8-bit text in its ANSI code page, which for its Japanese
// texts is code page 932, and ends lines the Windows way.

#include <string>

namespace vmcli {

// UTF-8 text is kept; anything else is read as code page 932. Line ends
// become "\n" and trailing line ends are dropped.
std::string effectTextToUtf8(const std::string& text);

bool isValidUtf8(const std::string& text);

}  // namespace vmcli
