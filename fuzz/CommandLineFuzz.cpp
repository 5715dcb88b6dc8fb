// The renderer's command line: any arguments give Options or a UsageError (nothing
// else escapes), frame lists hold each frame once within the limit, frame patterns
// and --set values are taken or refused, and a value taken lies in its parameter's range.
#include <cmath>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "cli/ArgumentParser.h"
#include "cli/CliErrors.h"
#include "cli/FrameList.h"
#include "cli/FramePattern.h"
#include "cli/ParamSetting.h"
#include "fuzz/FuzzHost.h"
#include "fuzz/FuzzInput.h"

namespace {

using vmfuzz::fuzzFault;

void checkArguments(const std::vector<std::string>& args) {
    try {
        const vmcli::Options options = vmcli::parseArguments(args);
        if (options.jobs < 1 || options.downsampleX < 1 || options.downsampleY < 1) fuzzFault("options out of range");
        if (options.depth && *options.depth != 8 && *options.depth != 16 && *options.depth != 32)
            fuzzFault("a depth that is not");
    } catch (const vmcli::UsageError&) {
    }
}

void checkFrameList(const std::string& text) {
    try {
        const std::vector<int> frames = vmcli::parseFrameList(text);
        if (frames.size() > static_cast<std::size_t>(vmcli::kMaxFrames)) fuzzFault("too many frames");
        if (std::set<int>(frames.begin(), frames.end()).size() != frames.size()) fuzzFault("a frame twice");
    } catch (const vmcli::UsageError&) {
    }
}

void checkPattern(const std::string& text) {
    try {
        const vmcli::FramePattern pattern(text);
        (void)pattern.pathFor(0);
        (void)pattern.pathFor(-7);
        (void)pattern.pathFor(2147483647);
    } catch (const vmcli::UsageError&) {
    }
}

// A value taken is one the parameter can hold.
void checkSetting(const std::string& text) {
    vmhost::ParamList& params = vmfuzz::fuzzHost().params();
    vmcli::ParamSetting setting;
    try {
        setting = vmcli::parseParamSetting(text);
    } catch (const vmcli::UsageError&) {
        return;
    }
    const auto index = params.find(setting.name);
    try {
        vmcli::applyParamSetting(params, setting);
    } catch (const vmcli::UsageError&) {
        return;
    }
    if (!index) fuzzFault("a parameter that does not exist was set");
    const PF_ParamDef& def = params.at(*index);
    switch (def.param_type) {
        case PF_Param_FLOAT_SLIDER:
            if (!std::isfinite(def.u.fs_d.value) || def.u.fs_d.value < def.u.fs_d.valid_min ||
                def.u.fs_d.value > def.u.fs_d.valid_max)
                fuzzFault("a float slider set out of range");
            break;
        case PF_Param_SLIDER:
            if (def.u.sd.value < def.u.sd.valid_min || def.u.sd.value > def.u.sd.valid_max)
                fuzzFault("a slider set out of range");
            break;
        case PF_Param_POPUP:
            if (def.u.pd.value < 1 || def.u.pd.value > def.u.pd.num_choices) fuzzFault("a popup item that is not");
            break;
        case PF_Param_CHECKBOX:
            if (def.u.bd.value != 0 && def.u.bd.value != 1) fuzzFault("a checkbox neither on nor off");
            break;
        default: break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vmfuzz::FuzzInput input(data, size);
    std::vector<std::string> args;
    while (input.remaining() > 0 && args.size() < 64) args.push_back(input.takeString());
    checkArguments(args);
    for (const std::string& arg : args) {
        checkFrameList(arg);
        checkPattern(arg);
        checkSetting(arg);
    }
    return 0;
}
