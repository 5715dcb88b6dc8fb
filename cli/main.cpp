// velumixer-render: renders images and image sequences through the effect.
// See --help.

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <iostream>
#include <string>
#include <vector>

#include "cli/CliErrors.h"
#include "cli/CommandLine.h"

namespace {

// The one global: a signal handler can reach nothing else.
struct CancelRequest {
    vmcli::CancelFlag requested{false};
    std::atomic<int> signal{0};  // the first signal that asked
};
CancelRequest cancelRequest;
static_assert(std::atomic<int>::is_always_lock_free, "a signal handler sets the signal number");

extern "C" void requestCancel(int signal) {
    int none = 0;
    cancelRequest.signal.compare_exchange_strong(none, signal);
    cancelRequest.requested = true;
}

// Every signal that ends a run asks for a cancel, so the run removes its
// temporary files on the way out; a second one changes nothing (SIGKILL is
// left for a run that must end at once, and the next run removes what it left).
// SIGPIPE arrives when the terminal or log that stderr goes to is closed.
void installCancelHandler() {
    struct sigaction action {};
    action.sa_handler = requestCancel;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE}) sigaction(signal, &action, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    installCancelHandler();
    const std::vector<std::string> args(argv + 1, argv + argc);
    vmcli::Console console{std::cout, std::cerr, isatty(STDERR_FILENO) != 0};
    const int code = vmcli::runCommandLine(args, console, cancelRequest.requested);
    return code == vmcli::kExitCancelled ? vmcli::exitCodeForCancel(cancelRequest.signal) : code;
}
