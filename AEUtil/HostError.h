#pragma once

#include "hostapi/HostApi.h"

namespace AEUtil {

// A bare host error code travels as a plain int, which the entry point reports with
// the code's name. Enumerator types would slip past that handler, hence the cast.
[[noreturn]] inline void throwHostError(PF_Err code) {
    throw static_cast<int>(code);
}

}  // namespace AEUtil
