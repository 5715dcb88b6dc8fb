#pragma once
// "PF World Transform Suite" version 1: copy and copy_hq between worlds the
// host knows; the other slots are stand-ins.

#include "hostapi/HostApi.h"

namespace vmhost {

PF_WorldTransformSuite1 makeWorldTransformSuite();

}  // namespace vmhost
