#pragma once

#include "entry/BaseFilter.h"

// The effect's filter: what differs from the defaults of BaseFilter.
class CustomFilter : public BaseFilter {
public:
    PF_Err dispatch(PF_Cmd cmd, PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[], PF_LayerDef* output,
                    void* extra) override;
    PF_Err onQueryDynamicFlags(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[],
                               PF_LayerDef* output) override;
    PF_Err checkoutInputs(PF_InData* in_data, PF_OutData* out_data, void* extra, RenderParams* renderParams) override;
    PF_Err renderFrame(RenderParams* renderParams) override;
};
