#pragma once
// "PF Param Utils Suite" versions 2 and 3: PF_UpdateParamUI is served, the
// keyframe and state queries answer an error.

#include "hostapi/HostApi.h"

namespace vmhost {

PF_ParamUtilsSuite1 makeParamUtilsSuite1();
PF_ParamUtilsSuite3 makeParamUtilsSuite3();

}  // namespace vmhost
