#pragma once
// The parameter callbacks: add_param, checkout_param and checkin_param of
// in_data->inter, and PF_UpdateParamUI of the Param Utils suite. Each finds
// its host through the effect_ref it is given.

#include "hostapi/HostApi.h"

namespace vmhost::paramcb {

// Appends during parameter setup (index -1, or the next index); refused otherwise.
PF_Err addParam(PF_ProgPtr effectRef, PF_ParamIndex index, PF_ParamDefPtr def);
// Copies the current definition of `index` (0 = the input layer) into `def`.
PF_Err checkoutParam(PF_ProgPtr effectRef, PF_ParamIndex index, A_long whatTime, A_long timeStep,
                     A_u_long timeScale, PF_ParamDef* def);
PF_Err checkinParam(PF_ProgPtr effectRef, PF_ParamDef* def);
// Logs the call and takes the definition's UI flags as the control's state.
PF_Err updateParamUI(PF_ProgPtr effectRef, PF_ParamIndex index, const PF_ParamDef* def);

}  // namespace vmhost::paramcb
