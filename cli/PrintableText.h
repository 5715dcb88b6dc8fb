#pragma once
// Text from the user or a library made safe for one line on a terminal.

#include <string>

namespace vmcli {

// Control bytes (line breaks, escapes, DEL) become "\xNN"; everything else,
// UTF-8 included, stays.
std::string printableText(const std::string& text);

}  // namespace vmcli
