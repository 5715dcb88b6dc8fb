// velumixer-host-smoke [module]: loads the effect (by default the one beside
// this program), runs its setup commands and reports what it answered. Exits
// non-zero when a command fails or the effect keeps handles or suites.

#include <cstdio>
#include <exception>
#include <string>

#include "EffectReport.h"
#include "ParamReport.h"
#include "host/ErrorText.h"
#include "host/Host.h"
#include "host/ModulePath.h"

namespace {

using vmhost::describeError;
using vmhost::smoke::describeOutFlags;
using vmhost::smoke::describeOutFlags2;
using vmhost::smoke::describeParam;
using vmhost::smoke::describeVersion;
using vmhost::smoke::indentMessage;

struct Command {
    PF_Cmd cmd;
    const char* name;
};

bool runCommand(vmhost::Host& host, const Command& command) {
    const PF_Err err = host.send(command.cmd);
    std::printf("%-22s %s\n", command.name, describeError(err).c_str());
    const PF_OutData& out = host.outData();
    if (err != PF_Err_NONE) {
        if (!host.returnMessage().empty()) std::printf("%s\n", indentMessage(host.returnMessage(), "    ").c_str());
        return false;
    }
    switch (command.cmd) {
        case PF_Cmd_GLOBAL_SETUP:
            std::printf("    version    %s\n", describeVersion(out.my_version).c_str());
            std::printf("    out_flags  %s\n", describeOutFlags(out.out_flags).c_str());
            std::printf("    out_flags2 %s\n", describeOutFlags2(out.out_flags2).c_str());
            break;
        case PF_Cmd_ABOUT:
            std::printf("%s\n", indentMessage(host.returnMessage(), "    | ").c_str());
            break;
        case PF_Cmd_PARAMS_SETUP: {
            const vmhost::ParamList& params = host.params();
            std::printf("    num_params %d (the host holds %d)\n", static_cast<int>(out.num_params), params.count());
            for (PF_ParamIndex i = 0; i < params.count(); ++i)
                std::printf("    %s\n", describeParam(i, params.at(i)).c_str());
            // The host would refuse an effect whose count disagrees with what it added.
            if (out.num_params != params.count()) {
                std::printf("    num_params does not match the parameters added\n");
                return false;
            }
            break;
        }
        default:
            break;
    }
    return true;
}

// True when the effect gave back everything it took.
bool reportHeldResources(vmhost::Host& host) {
    const int handles = host.handles().outstanding();
    const int locked = host.handles().locked();
    const int suites = host.suites().heldTotal();
    const int blocks = host.outstandingBlocks();
    std::printf("held at the end: %d handle(s), %d locked, %d suite(s)%s%s, %d block(s)\n", handles, locked,
                suites, suites ? ": " : "", host.suites().describeHeld().c_str(), blocks);
    return handles == 0 && locked == 0 && suites == 0 && blocks == 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const std::string modulePath = argc > 1 ? argv[1] : vmhost::defaultModulePath();
        vmhost::Host host;
        host.loadEffect(modulePath);
        std::printf("module %s\n", modulePath.c_str());

        const Command commands[] = {
            {PF_Cmd_GLOBAL_SETUP, "PF_Cmd_GLOBAL_SETUP"},
            {PF_Cmd_ABOUT, "PF_Cmd_ABOUT"},
            {PF_Cmd_PARAMS_SETUP, "PF_Cmd_PARAMS_SETUP"},
            {PF_Cmd_GLOBAL_SETDOWN, "PF_Cmd_GLOBAL_SETDOWN"},
        };
        bool ok = true;
        for (const Command& command : commands) ok = runCommand(host, command) && ok;
        ok = reportHeldResources(host) && ok;
        std::printf("%s\n", ok ? "smoke check passed" : "smoke check FAILED");
        return ok ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "velumixer-host-smoke: %s\n", e.what());
        return 2;
    }
}
