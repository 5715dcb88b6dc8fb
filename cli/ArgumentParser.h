#pragma once
// Reads the command line into Options.

#include <string>
#include <vector>

#include "cli/Options.h"

namespace vmcli {

// `args` without the program name. Options may come before, between or
// after INPUT and OUTPUT, as "--name value" or "--name=value"; "--" ends
// them. Throws UsageError for anything the program cannot do as written.
Options parseArguments(const std::vector<std::string>& args);

// The --help text.
std::string usageText();

}  // namespace vmcli
