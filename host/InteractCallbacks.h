#pragma once
// in_data->inter: progress and abort are served; parameter checkout, check-in
// and add-param answer an error until the host keeps parameters.

#include "hostapi/HostApi.h"

namespace vmhost {

PF_InteractCallbacks makeInteractCallbacks();

}  // namespace vmhost
