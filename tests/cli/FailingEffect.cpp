// A stand-in effect whose every render fails with an error code and a
// message in code page 932, as the effect's Japanese messages are.

#include <cstring>

#include "hostapi/HostApi.h"

#define FAILING_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

// "不明なエラー" in code page 932.
constexpr char kMessage[] = "\x95\x73\x96\xbe\x82\xc8\x83\x47\x83\x89\x81\x5b";

}  // namespace

FAILING_EXPORT PF_Err EntryPointFunc(PF_Cmd cmd, PF_InData*, PF_OutData* out, PF_ParamDef**, PF_LayerDef*, void*) {
    switch (cmd) {
        case PF_Cmd_PARAMS_SETUP:
            out->num_params = 1;
            return PF_Err_NONE;
        case PF_Cmd_SMART_PRE_RENDER:
        case PF_Cmd_RENDER:
            std::memcpy(out->return_msg, kMessage, sizeof kMessage);
            return PF_Err_OUT_OF_MEMORY;
        default:
            return PF_Err_NONE;
    }
}
