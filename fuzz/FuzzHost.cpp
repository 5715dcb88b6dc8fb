#include "fuzz/FuzzHost.h"

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "fuzz/FuzzInput.h"

extern "C" PF_Err EntryPointFunc(PF_Cmd cmd, PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[],
                                 PF_LayerDef* output, void* extra);

namespace vmfuzz {

namespace {

// A settings folder of this process's own, so a run never depends on the user's INI file.
class ScratchSettings {
public:
    ScratchSettings() {
        char pattern[] = "/tmp/velumixer-fuzz-XXXXXX";
        if (!mkdtemp(pattern)) fuzzFault("no scratch folder");
        root_ = pattern;
        setenv("XDG_CONFIG_HOME", root_.c_str(), 1);
        std::filesystem::create_directories(root_ + "/TRELM/Kavio");
        iniPath_ = root_ + "/TRELM/Kavio/Velumixer.ini";
    }
    ~ScratchSettings() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    const std::string& iniPath() const { return iniPath_; }

private:
    std::string root_;
    std::string iniPath_;
};

ScratchSettings& scratchSettings() {
    static ScratchSettings settings;
    return settings;
}

std::unique_ptr<vmhost::Host> makeHost() {
    scratchSettings();
    vmhost::HostConfig config = vmhost::HostConfig::checking();
    config.workerThreads = 2;
    config.layerWidth = 16;
    config.layerHeight = 16;
    auto host = std::make_unique<vmhost::Host>(config);
    host->useEntryPoint(EntryPointFunc);
    for (const PF_Cmd cmd : {PF_Cmd_GLOBAL_SETUP, PF_Cmd_PARAMS_SETUP, PF_Cmd_SEQUENCE_SETUP}) {
        if (host->send(cmd) != PF_Err_NONE) fuzzFault("the instance does not set up");
    }
    return host;
}

}  // namespace

vmhost::Host& fuzzHost() {
    // Lives for the whole fuzzing process; never torn down, as libFuzzer exits with _exit.
    static vmhost::Host& host = *makeHost().release();
    return host;
}

const std::string& storedDefaultsPath() {
    return scratchSettings().iniPath();
}

void expectNothingHeld(vmhost::Host& host, int baselineHandles) {
    if (host.suites().heldTotal() != 0) fuzzFault("a suite is still held");
    if (host.handles().locked() != 0) fuzzFault("a handle is still locked");
    if (host.handles().outstanding() != baselineHandles) fuzzFault("handles leaked");
    if (host.paramCalls().outstandingCheckOuts() != 0) fuzzFault("a parameter is still checked out");
    if (host.outstandingWorlds() != 0) fuzzFault("a world leaked");
    if (host.outstandingBlocks() != 0) fuzzFault("a block leaked");
    if (host.handles().misuses() != 0 || host.worlds().misuses() != 0) fuzzFault("a foreign handle or world");
}

}  // namespace vmfuzz
