#pragma once

#include "hostapi/HostApi.h"

namespace AEUtil {

// The application ID of After Effects, 'FXTC'.
constexpr A_long kAfterEffectsApplId = 0x46585443;

// The host's effect API version (major.minor) as the effect's own version number:
// 13.2 -> 110, 13.1 -> 105, 13.0 -> 100, 12.14 -> 90, 12.13 -> 80, 12.12 -> 70,
// 12.11 -> 65, anything older 0, anything newer 9999.
int hostVersionNumber(const PF_InData* in_data);

}  // namespace AEUtil
