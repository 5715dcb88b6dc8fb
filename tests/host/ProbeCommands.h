#pragma once
// Command handlers of the probe effect, by subject.

#include "ProbeProtocol.h"

namespace probe {

PF_Err paramsSetup(PF_InData* in, PF_OutData* out);
PF_Err checkOutParams(PF_InData* in, CheckoutRequest* request);
PF_Err updateParamsUi(PF_InData* in, PF_ParamDef** params, UiRequest* request);

PF_Err sequenceSetup(PF_InData* in, PF_OutData* out);
PF_Err sequenceFlatten(PF_InData* in, PF_OutData* out, bool keepInMemoryData);
PF_Err sequenceResetup(PF_InData* in, PF_OutData* out);
PF_Err sequenceSetdown(PF_InData* in);

PF_Err smartPreRender(PF_InData* in, PF_PreRenderExtra* extra);
PF_Err smartRender(PF_InData* in, PF_OutData* out, PF_SmartRenderExtra* extra);
PF_Err legacyRender(PF_InData* in, PF_OutData* out, PF_ParamDef** params, PF_LayerDef* output);
// The pixel work shared by both render paths (see ProbeProtocol.h).
PF_Err renderPixels(PF_InData* in, A_long mode, PF_EffectWorld* input, PF_EffectWorld* output);

}  // namespace probe
