// velumixer-render: renders images and image sequences through the effect.
// See --help.

#include <signal.h>
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/CommandLine.h"

namespace {

// The one global: a signal handler can reach nothing else.
vmcli::CancelFlag cancelRequested{false};

extern "C" void requestCancel(int) {
    cancelRequested = true;
}

void installCancelHandler() {
    struct sigaction action {};
    action.sa_handler = requestCancel;
    sigemptyset(&action.sa_mask);
    // A second Ctrl-C ends the program at once.
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    installCancelHandler();
    const std::vector<std::string> args(argv + 1, argv + argc);
    vmcli::Console console{std::cout, std::cerr, isatty(STDERR_FILENO) != 0};
    return vmcli::runCommandLine(args, console, cancelRequested);
}
