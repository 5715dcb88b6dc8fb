#pragma once
// The two kinds of failure the command line reports, and the exit codes it uses.

#include <csignal>
#include <stdexcept>

namespace vmcli {

enum ExitCode : int {
    kExitOk = 0,
    kExitFailed = 1,     // input, output, effect or render failure
    kExitUsage = 2,      // bad arguments or parameter values; nothing was written
    kExitCancelled = 130,  // the shell's code for a run stopped by Ctrl-C
    kExitTerminated = 143,  // the shell's code for a run stopped by SIGTERM
};

// A cancelled run's exit code for the signal that cancelled it (0: none):
// SIGTERM's own, Ctrl-C's for every other.
inline int exitCodeForCancel(int signal) {
    return signal == SIGTERM ? kExitTerminated : kExitCancelled;
}

// A mistake in what the user asked for.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Something that went wrong while doing what was asked.
class RunError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace vmcli
