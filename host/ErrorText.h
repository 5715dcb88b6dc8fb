#pragma once
// Readable names for the effect API's error codes, for reports and logs.

#include <string>

#include "hostapi/HostApi.h"

namespace vmhost {

// "PF_Err_NONE (0)", "PF_Interrupt_CANCEL (517)", or "error 1234" for others.
std::string describeError(PF_Err err);

}  // namespace vmhost
