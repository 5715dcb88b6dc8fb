// The one function the host calls. It refuses other hosts, builds the filter on the first
// call, routes the command, and is the only place where exceptions become host error codes.
#include "AEUtil/HostVersion.h"
#include "AEUtil/SuiteScope.h"
#include "entry/CommandGuard.h"
#include "entry/CustomFilter.h"
#include "params/EffectParams.h"

#include <new>

#if defined(_WIN32)
#define VELUMIXER_EXPORT extern "C" __declspec(dllexport)
#else
#define VELUMIXER_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {


// The filter lives in static storage; it is never on the heap.
alignas(CustomFilter) unsigned char filterStorage[sizeof(CustomFilter)];
BaseFilter* filterInstance = nullptr;  // null while no filter is constructed
bool filterInitialized = false;

BaseFilter* constructFilter() {
    filterInstance = new (filterStorage) CustomFilter();
    return filterInstance;
}

void destroyFilter() {
    filterInstance->~BaseFilter();
    filterInstance = nullptr;
}

// First call: filter, parameter registry, initialize. A call after GLOBAL_SETDOWN (the
// host may set the effect up again without unloading it) builds the filter anew and
// initialises it again; the registry is kept.
PF_Err prepareFilter(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[], PF_LayerDef* output) {
    if (!filterInitialized) {
        if (filterInstance == nullptr) constructFilter();
        registerParams(in_data);
        const PF_Err err = filterInstance->initialize(in_data, out_data, params, output);
        filterInitialized = true;
        return err;
    }
    if (filterInstance == nullptr) {
        constructFilter();
        return filterInstance->initialize(in_data, out_data, params, output);
    }
    return PF_Err_NONE;
}

}  // namespace

VELUMIXER_EXPORT PF_Err EntryPointFunc(PF_Cmd cmd, PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[],
                                       PF_LayerDef* output, void* extra) {
    if (in_data == nullptr || in_data->appl_id != AEUtil::kAfterEffectsApplId) return PF_Err_BAD_CALLBACK_PARAM;
    if (in_data->pica_basicP == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
    AEUtil::SuiteScope scope(in_data->pica_basicP);

    return guardCommand(out_data, [&]() -> PF_Err {
        PF_Err result = prepareFilter(in_data, out_data, params, output);
        if (result == PF_Err_NONE) result = filterInstance->dispatch(cmd, in_data, out_data, params, output, extra);
        // Not reached when the handler threw: the filter then stays for the next call.
        if (cmd == PF_Cmd_GLOBAL_SETDOWN) destroyFilter();
        return result;
    });
}
