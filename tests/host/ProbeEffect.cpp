// The probe effect: drives the host's callbacks from inside a loaded module.

#include <atomic>
#include <cstring>

#include "ProbeCommands.h"

#ifdef _WIN32
#define PROBE_EXPORT extern "C" __declspec(dllexport)
#else
#define PROBE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

struct WorkerShared {
    PF_InData* inData;
    std::atomic<A_long> calls{0};
    std::atomic<A_long> total{0};
    std::atomic<A_long> handles{0};
    PF_Err progressResult = PF_Err_NONE;
};

PF_Err worker(void* refcon, A_long threadIndex, A_long, A_long total) {
    auto* shared = static_cast<WorkerShared*>(refcon);
    ++shared->calls;
    shared->total = total;
    // Worker threads belong to the host too: handle calls must reach it.
    PF_UtilCallbacks* utils = shared->inData->utils;
    if (PF_Handle h = utils->host_new_handle(64)) {
        utils->host_dispose_handle(h);
        ++shared->handles;
    }
    if (threadIndex == 0)
        shared->progressResult = shared->inData->inter.progress(shared->inData->effect_ref, 1, 1);
    return PF_Err_NONE;
}

PF_Err globalSetup(PF_InData* in, PF_OutData* out) {
    out->my_version = probe::kVersion;
    out->out_flags = probe::kOutFlags;
    out->out_flags2 = probe::kOutFlags2;
    PF_Handle global = in->utils->host_new_handle(sizeof(A_u_long));
    if (!global) return PF_Err_OUT_OF_MEMORY;
    *static_cast<A_u_long*>(*global) = probe::kGlobalMagic;
    out->global_data = global;
    return PF_Err_NONE;
}

PF_Err about(PF_InData* in, PF_OutData* out) {
    // Doubles through the variadic callback check the calling convention.
    in->utils->ansi.sprintf(out->return_msg, "Probe %d.%d %.2f\r%s", 2, 3, 0.25, "about");
    return PF_Err_NONE;
}

PF_Err render(PF_InData* in, PF_ParamDef** params, PF_LayerDef* output, probe::RenderReport* report) {
    std::memset(report, 0, sizeof *report);
    report->applId = in->appl_id;
    report->apiMajor = in->version.major;
    report->apiMinor = in->version.minor;
    report->paramsSeen = params;
    report->outputSeen = output;
    report->hadBasicSuite = in->pica_basicP != nullptr;
    if (in->pica_basicP) {
        const void* suite = nullptr;
        report->appSuiteError = in->pica_basicP->AcquireSuite(kPFAppSuite, kPFAppSuiteVersion5, &suite);
        if (report->appSuiteError == kSPNoError && suite) {
            static_cast<const PFAppSuite5*>(suite)->PF_AppGetLanguage(report->language);
            in->pica_basicP->ReleaseSuite(kPFAppSuite, kPFAppSuiteVersion5);
        }
    }
    WorkerShared shared;
    shared.inData = in;
    report->iterateResult = in->utils->iterate_generic(PF_Iterations_ONCE_PER_PROCESSOR, &shared, worker);
    report->workerCalls = shared.calls;
    report->reportedTotal = shared.total;
    report->workerHandles = shared.handles;
    report->progressResult = shared.progressResult;
    PF_Pixel orange{255, 255, 128, 0};
    report->hlsResult = in->utils->colorCB.RGBtoHLS(in->effect_ref, &orange, report->orangeHls);
    return PF_Err_NONE;
}

}  // namespace

PROBE_EXPORT PF_Err EntryPointFunc(PF_Cmd cmd, PF_InData* in, PF_OutData* out, PF_ParamDef** params,
                                   PF_LayerDef* output, void* extra) {
    switch (cmd) {
        case PF_Cmd_GLOBAL_SETUP:
            return globalSetup(in, out);
        case PF_Cmd_ABOUT:
            return about(in, out);
        case PF_Cmd_PARAMS_SETUP:
            return probe::paramsSetup(in, out);
        case PF_Cmd_FRAME_SETUP:
            return probe::checkOutParams(in, static_cast<probe::CheckoutRequest*>(extra));
        case PF_Cmd_UPDATE_PARAMS_UI:
            return probe::updateParamsUi(in, params, static_cast<probe::UiRequest*>(extra));
        case PF_Cmd_SEQUENCE_SETUP:
            return probe::sequenceSetup(in, out);
        case PF_Cmd_SEQUENCE_FLATTEN:
            return probe::sequenceFlatten(in, out, false);
        case PF_Cmd_GET_FLATTENED_SEQUENCE_DATA:
            return probe::sequenceFlatten(in, out, true);
        case PF_Cmd_SEQUENCE_RESETUP:
            return probe::sequenceResetup(in, out);
        case PF_Cmd_SEQUENCE_SETDOWN:
            return probe::sequenceSetdown(in);
        case PF_Cmd_GLOBAL_SETDOWN:
            in->utils->host_dispose_handle(in->global_data);
            return PF_Err_NONE;
        case PF_Cmd_RENDER:
            // Without a report record this is a host's real render.
            if (!extra) return probe::legacyRender(in, out, params, output);
            return render(in, params, output, static_cast<probe::RenderReport*>(extra));
        case PF_Cmd_SMART_PRE_RENDER:
            return probe::smartPreRender(in, static_cast<PF_PreRenderExtra*>(extra));
        case PF_Cmd_SMART_RENDER:
            return probe::smartRender(in, out, static_cast<PF_SmartRenderExtra*>(extra));
        default:
            return PF_Err_NONE;
    }
}
