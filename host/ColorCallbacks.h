#pragma once
// utils->colorCB: RGBtoHLS is served, the other conversions are not (yet).

#include "hostapi/HostApi.h"

namespace vmhost {

PF_ColorCallbacks makeColorCallbacks();

}  // namespace vmhost
