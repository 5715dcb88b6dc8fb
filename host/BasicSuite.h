#pragma once
// SPBasicSuite: suite acquisition and release through the bound host's
// registry, and plain memory blocks.

#include "hostapi/HostApi.h"

namespace vmhost {

SPBasicSuite makeBasicSuite();

}  // namespace vmhost
