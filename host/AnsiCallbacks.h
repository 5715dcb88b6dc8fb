#pragma once
// The C runtime functions the host lends through utils->ansi.

#include "hostapi/HostApi.h"

namespace vmhost {

PF_ANSICallbacks makeAnsiCallbacks();

}  // namespace vmhost
