#pragma once
// utils->get_platform_data: main window, module instance and the wide paths.

#include "hostapi/HostApi.h"

namespace vmhost {

PF_Err getPlatformData(PF_ProgPtr effectRef, PF_PlatDataID which, void* data);

}  // namespace vmhost
