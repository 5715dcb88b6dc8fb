#pragma once
// in_data->inter: parameter add, check-out and check-in, progress and abort
// are served; custom UI and audio answer an error.

#include "hostapi/HostApi.h"

namespace vmhost {

PF_InteractCallbacks makeInteractCallbacks();

}  // namespace vmhost
