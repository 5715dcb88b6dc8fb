// The program itself, stopped by the signals that end a run from a terminal, a job
// control system or a closed log: every one cancels cleanly, with the shell's exit code
// and no temporary file left behind.
#include "CliScratch.h"
#include "cli/ImageFile.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <ostream>
#include <thread>

namespace {

struct Stop {
    const char* what;
    std::vector<int> signals;  // sent in turn; none: stderr's reader goes away (SIGPIPE)
    int exitCode;
};

// Named, not dumped byte by byte (padding included) in test names and messages.
void PrintTo(const Stop& stop, std::ostream* out) {
    *out << stop.what;
}

class SignalTest : public ::testing::TestWithParam<Stop> {
protected:
    // Starts a long sequence render with stderr on a pipe; returns once it wrote a frame.
    pid_t startRender(int& errReader) {
        const std::string input = scratch.path("in.png");
        vmcli::writeImageFile(vmhost::Image(PF_PixelFormat_ARGB32, 320, 240, 0, 0x80), input, input);
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0) return -1;
        const pid_t child = fork();
        if (child == 0) {
            dup2(pipeEnds[1], STDERR_FILENO);
            close(pipeEnds[0]);
            close(pipeEnds[1]);
            execl(RENDER_PROGRAM, RENDER_PROGRAM, input.c_str(), scratch.path("out_%04d.png").c_str(), "--frames",
                  "1-2000", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(pipeEnds[1]);
        errReader = pipeEnds[0];
        std::string seen;
        char buffer[256];
        while (seen.find("wrote") == std::string::npos) {
            const ssize_t got = read(errReader, buffer, sizeof buffer);
            if (got <= 0) break;
            seen.append(buffer, static_cast<std::size_t>(got));
        }
        EXPECT_NE(std::string::npos, seen.find("wrote")) << seen;
        return child;
    }

    // The exit code, or -1 when it did not end by itself within a minute (then it is killed).
    static int exitCodeOf(pid_t child) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        int status = 0;
        while (waitpid(child, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                kill(child, SIGKILL);
                waitpid(child, &status, 0);
                return -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    CliScratch scratch;
};

TEST_P(SignalTest, CancelsWithTheShellsCodeAndLeavesNoPartialFile) {
    const Stop& stop = GetParam();
    int errReader = -1;
    const pid_t child = startRender(errReader);
    ASSERT_GT(child, 0);
    if (stop.signals.empty()) {
        close(errReader);
        errReader = -1;
    }
    for (int signal : stop.signals) kill(child, signal);
    const int code = exitCodeOf(child);
    if (errReader >= 0) close(errReader);
    EXPECT_EQ(stop.exitCode, code) << stop.what;
    EXPECT_EQ(std::vector<std::string>{}, scratch.hiddenFiles()) << stop.what;
}

INSTANTIATE_TEST_SUITE_P(EndingSignals, SignalTest,
                         ::testing::Values(Stop{"Ctrl-C", {SIGINT}, 130}, Stop{"Ctrl-C twice", {SIGINT, SIGINT}, 130},
                                           Stop{"SIGTERM", {SIGTERM}, 143}, Stop{"SIGHUP", {SIGHUP}, 130},
                                           Stop{"SIGQUIT", {SIGQUIT}, 130}, Stop{"stderr closed", {}, 130}),
                         [](const ::testing::TestParamInfo<Stop>& info) {
                             std::string name;
                             for (const char* c = info.param.what; *c; ++c)
                                 if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
                             return name;
                         });

}  // namespace
