#pragma once
// "PF World Suite" versions 1 and 2: worlds the host makes for the effect.

#include "hostapi/HostApi.h"

namespace vmhost {

// new_world takes PF_NewWorldFlag_DEEP_PIXELS ('ae16', else 'argb') and
// PF_NewWorldFlag_CLEAR_PIXELS.
PF_WorldSuite1 makeWorldSuite1();
// Any of the three formats; PF_GetPixelFormat also answers for the frame's
// input and output worlds.
PF_WorldSuite2 makeWorldSuite2();

}  // namespace vmhost
