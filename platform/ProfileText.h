#pragma once
// How settings-file text is read on Windows, for the stand-ins that must read it the
// same way: which characters are blanks, how names compare, how quotes and numbers
// are taken.

#include <cstdint>
#include <string_view>

namespace platform {

// Without leading and trailing spaces, tabs and line-break characters.
std::string_view trimBlanks(std::string_view text);

// Without trailing blanks only.
std::string_view trimTrailingBlanks(std::string_view text);

// Names match regardless of ASCII letter case.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// One pair of matching single or double quotes around the whole text is dropped.
std::string_view stripEnclosingQuotes(std::string_view text);

// Leading blanks, an optional sign, an optional 0x/0o/0b prefix (lower case only),
// then digits of that base (decimal without one) up to the first other character.
// Accumulates modulo 2^32 and negates for '-'; no digits give 0.
std::uint32_t parseProfileInteger(std::string_view text);

}  // namespace platform
