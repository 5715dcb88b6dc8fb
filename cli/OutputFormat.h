#pragma once
// Which OpenImageIO writer an output name calls for, found from the library's
// lists of formats and extensions rather than by making a writer: making one
// only to ask runs its clean-up on an empty file (OpenEXR's reads memory it
// never set).

#include <optional>
#include <string>

namespace vmcli {

// The format name ("png", "openexr", ...) of a writer for the name's
// extension, any letter case; nothing when no writer takes it.
std::optional<std::string> outputFormatOf(const std::string& path);

// Throws RunError naming the file unless the name calls for a writer that
// puts an image into the file (not "null", which writes nothing, nor "term",
// which draws on the terminal).
void checkOutputFormat(const std::string& path);

}  // namespace vmcli
