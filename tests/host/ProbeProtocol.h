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

// Parameters added at PF_Cmd_PARAMS_SETUP, at these host indices. The probe
// reports kNumParams (the input layer included) even when an add fails.
enum ParamIndex : PF_ParamIndex {
    kAmount = 1,    // slider "Amount", 0..100, default 25
    kStrength,      // float slider "Strength", 0..10, default 2.5
    kMode,          // popup "Mode", kModeChoices, default 2
    kEnable,        // checkbox "Enable", label kEnableLabel, default on
    kTint,          // colour "Tint", default kTintDefault
    kDetails,       // group start "Details"
    kDetailsEnd,    // group end, no name
    kNumParams
};
constexpr A_long kFirstParamId = 10;  // IDs follow the indices: 10, 11, ...
constexpr const char kModeChoices[] = "One|Two|Three";
constexpr const char kEnableLabel[] = "on";
constexpr PF_Pixel kTintDefault{255, 10, 20, 30};

// `extra` of PF_Cmd_FRAME_SETUP: the probe checks out each index at in_data's
// current time and, when asked, checks in every definition it got.
constexpr int kMaxRequests = 8;
struct CheckoutRequest {
    A_long count;
    PF_ParamIndex indices[kMaxRequests];
    bool checkIn;
    PF_Err results[kMaxRequests];
    PF_ParamDef defs[kMaxRequests];
};

// `extra` of PF_Cmd_UPDATE_PARAMS_UI: with the Param Utils suite of the given
// version, the probe flips PF_PUI_DISABLED of each index in the params array
// and reports that definition; `viaCopy` (0: none) is reported through a
// disabled copy, its definition in the array left alone.
struct UiRequest {
    A_long suiteVersion;
    A_long count;
    PF_ParamIndex toggle[kMaxRequests];
    PF_ParamIndex viaCopy;
    SPErr acquireError;
    PF_Err results[kMaxRequests];
    PF_Err copyResult;
};

// Sequence data: the in-memory form is tagged "mem", the flat form "flat".
// Re-setup takes the value from flat data; from anything else (planted bytes)
// it takes the size it saw, and with no data the seed.
struct SequenceRecord {
    char tag[4];
    A_u_long value;
};
constexpr A_u_long kSequenceSeed = 7;

// Rendering: SMART_PRE_RENDER and SMART_RENDER, or RENDER without an `extra`
// record. The probe makes a cleared world like the input through the world
// suite (version 2, else version 1), copies the input into it with the World
// Transform suite (copy_hq at high quality, else copy), writes the output
// from it as the "Mode" popup says, then reports progress 1 of 1 and answers
// what the host said. On success return_msg holds kFrameMessage of in_data.
enum RenderMode : A_long {
    kModeCopy = 1,           // output = input, through a second copy of the same kind
    kModeInvert = 2,         // colours inverted (full scale minus value), alpha kept, on the worker threads
    kModeLeakPreRender = 3,  // invert, and the pre-render handle gets no deletion function
};
constexpr const char kFrameMessage[] = "time %d quality %d downsample %d/%u %d/%u";

// pre_render_data: a host handle with this record.
struct PreRenderRecord {
    char tag[4];  // "pre"
    A_long mode;
    PF_UtilCallbacks* utils;  // for the deletion function, which gets nothing else
};

}  // namespace probe
