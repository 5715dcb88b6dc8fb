#pragma once
// The effect's command handlers: one virtual operation per host command, with a default
// behaviour each. The object holds no data; per-instance state lives with the host.

#include "hostapi/HostApi.h"

struct RenderParams;

// Checks out the input layer at pre-render and widens the result rectangles by what it
// will hold; `preserveRgbOfZeroAlpha` asks the host to keep colour under zero alpha.
PF_Err checkoutInputLayer(PF_InData* in_data, PF_PreRenderExtra* extra, bool preserveRgbOfZeroAlpha);

class BaseFilter {
public:
    BaseFilter();
    virtual ~BaseFilter();
    BaseFilter(const BaseFilter&) = delete;
    BaseFilter& operator=(const BaseFilter&) = delete;

    // Routes a command to its handler and returns the handler's result unchanged.
    virtual PF_Err dispatch(PF_Cmd cmd, PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[],
                            PF_LayerDef* output, void* extra);

    virtual PF_Err onAbout(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[], PF_LayerDef* output);
    virtual PF_Err onGlobalSetup(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[], PF_LayerDef* output);
    virtual PF_Err onGlobalSetdown(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[],
                                   PF_LayerDef* output);
    virtual PF_Err onParamsSetup(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[], PF_LayerDef* output);
    virtual PF_Err onUserChangedParam(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[],
                                      PF_LayerDef* output, void* extra);
    virtual PF_Err onUpdateParamsUI(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[],
                                    PF_LayerDef* output);
    virtual PF_Err onRender(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[], PF_LayerDef* output);
    virtual PF_Err onSmartPreRender(PF_InData* in_data, PF_OutData* out_data, void* extra);
    virtual PF_Err onSmartRender(PF_InData* in_data, PF_OutData* out_data, void* extra);
    virtual PF_Err onSequenceSetup(PF_InData* in_data, PF_OutData* out_data);
    virtual PF_Err onSequenceSetdown(PF_InData* in_data, PF_OutData* out_data);
    virtual PF_Err onSequenceFlatten(PF_InData* in_data, PF_OutData* out_data);
    virtual PF_Err onGetFlattenedSequenceData(PF_InData* in_data, PF_OutData* out_data);
    virtual PF_Err onSequenceResetup(PF_InData* in_data, PF_OutData* out_data);
    virtual PF_Err onQueryDynamicFlags(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[],
                                       PF_LayerDef* output);
    virtual PF_Err onEvent(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[], PF_LayerDef* output,
                           void* extra);
    virtual PF_Err onArbitraryCallback(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[],
                                       PF_LayerDef* output, void* extra);
    virtual PF_Err checkoutInputs(PF_InData* in_data, PF_OutData* out_data, void* extra, RenderParams* renderParams);
    virtual PF_Err beforeSmartRender(PF_InData* in_data, PF_OutData* out_data, void* extra,
                                     RenderParams* renderParams);
    virtual PF_Err createSequenceData(PF_InData* in_data, PF_OutData* out_data);
    virtual PF_Err initialize(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[], PF_LayerDef* output);
    virtual PF_Err renderFrame(RenderParams* renderParams);
};
