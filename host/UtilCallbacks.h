#pragma once
// in_data->utils: the handle functions, ANSI and colour tables, platform data
// and iterate_generic are served; every other slot answers an error.

#include "hostapi/HostApi.h"

namespace vmhost {

PF_UtilCallbacks makeUtilCallbacks();

}  // namespace vmhost
