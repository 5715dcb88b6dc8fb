#include "entry/CustomFilter.h"

#include "AEUtil/SuiteScope.h"
#include "render/RenderParams.h"

PF_Err CustomFilter::dispatch(PF_Cmd cmd, PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[],
                              PF_LayerDef* output, void* extra) {
    return BaseFilter::dispatch(cmd, in_data, out_data, params, output, extra);
}

PF_Err CustomFilter::onQueryDynamicFlags(PF_InData* in_data, PF_OutData*, PF_ParamDef*[], PF_LayerDef*) {
    // Only proves the host's basic suite is there; no flag depends on a parameter.
    AEUtil::SuiteScope scope(in_data->pica_basicP);
    return PF_Err_NONE;
}

PF_Err CustomFilter::renderFrame(RenderParams* renderParams) {
    switch (renderParams->pixelFormat) {
        case kPixelFormat32:
        case kPixelFormat16:
        case kPixelFormat8: return PF_Err_NONE;
        default: return PF_Err_UNRECOGNIZED_PARAM_TYPE;
    }
}
