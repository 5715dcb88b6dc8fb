#pragma once
// What the probe effect reports back to the host tests. The probe is a tiny
// effect module that calls the host from the module's side of the boundary.

#include "hostapi/HostApi.h"

namespace probe {

// Version the probe reports at global setup: 2.3.4 beta, build 5.
constexpr A_u_long kVersion = (2u << 19) | (3u << 15) | (4u << 11) | (2u << 9) | 5u;
constexpr PF_OutFlags kOutFlags = PF_OutFlag_PIX_INDEPENDENT | PF_OutFlag_DEEP_COLOR_AWARE;
constexpr PF_OutFlags2 kOutFlags2 = PF_OutFlag2_SUPPORTS_SMART_RENDER | PF_OutFlag2_SUPPORTS_THREADED_RENDERING;
// First bytes of the probe's global data.
constexpr A_u_long kGlobalMagic = 0x50524F42;

// Filled by PF_Cmd_RENDER into the `extra` record.
struct RenderReport {
    A_long applId;
    A_short apiMajor;
    A_short apiMinor;
    PF_ParamDef** paramsSeen;
    PF_LayerDef* outputSeen;
    bool hadBasicSuite;
    SPErr appSuiteError;
    char language[PF_APP_LANG_TAG_SIZE];
    PF_Err iterateResult;
    A_long workerCalls;     // worker invocations seen
    A_long reportedTotal;   // total passed to the workers
    A_long workerHandles;   // handles allocated and freed inside workers
    PF_Err progressResult;  // from thread 0
    PF_Err hlsResult;
    PF_Fixed orangeHls[3];
};

}  // namespace probe
