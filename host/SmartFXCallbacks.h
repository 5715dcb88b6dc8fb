#pragma once
// The callbacks of PF_Cmd_SMART_PRE_RENDER and PF_Cmd_SMART_RENDER. Each
// reaches the frame of the calling thread (ActiveFrames); outside a frame
// they answer PF_Err_BAD_CALLBACK_PARAM.

#include "hostapi/HostApi.h"

namespace vmhost {

PF_PreRenderCallbacks makePreRenderCallbacks();
PF_SmartRenderCallbacks makeSmartRenderCallbacks();

}  // namespace vmhost
