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

}  // namespace probe
