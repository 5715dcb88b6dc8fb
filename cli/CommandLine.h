#pragma once
// The whole program behind main(): arguments in, exit code out, with the
// streams and the cancel flag handed in so tests can run it in-process.

#include <ostream>
#include <string>
#include <vector>

#include "cli/CancelFlag.h"

namespace vmcli {

struct Console {
    std::ostream& out;    // what was asked for: parameter lists, about text
    std::ostream& err;    // progress and messages
    bool errIsTerminal;   // draw a progress bar instead of plain lines
};

// `args` without the program name. Returns an ExitCode.
int runCommandLine(const std::vector<std::string>& args, Console& console, const CancelFlag& cancel);

}  // namespace vmcli
