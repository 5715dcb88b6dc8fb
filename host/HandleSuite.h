#pragma once
// "PF Handle Suite" version 2 (the PF_HandleSuite1 layout).

#include "hostapi/HostApi.h"

namespace vmhost {

PF_HandleSuite1 makeHandleSuite();

}  // namespace vmhost
