#include "entry/CustomFilter.h"

#include "AEUtil/SuiteScope.h"
#include "render/RenderDriver.h"

PF_Err CustomFilter::dispatch(PF_Cmd cmd, PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[],
                              PF_LayerDef* output, void* extra) {
    return BaseFilter::dispatch(cmd, in_data, out_data, params, output, extra);
}

PF_Err CustomFilter::onQueryDynamicFlags(PF_InData* in_data, PF_OutData*, PF_ParamDef*[], PF_LayerDef*) {
    // Only proves the host's basic suite is there; no flag depends on a parameter.
    AEUtil::SuiteScope scope(in_data->pica_basicP);
    return PF_Err_NONE;
}

PF_Err CustomFilter::checkoutInputs(PF_InData* in_data, PF_OutData*, void* extra, RenderParams*) {
    // Alpha is blurred too, so transparent pixels can become visible: their colour must be
    // the real one, not whatever the host would put under zero alpha.
    return checkoutInputLayer(in_data, static_cast<PF_PreRenderExtra*>(extra), true);
}

PF_Err CustomFilter::renderFrame(RenderParams* renderParams) {
    return renderWithDriver(*renderParams);
}
