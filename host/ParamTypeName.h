#pragma once
// Readable names of the host's parameter types, for listings and reports.

#include <string>

#include "hostapi/HostApi.h"

namespace vmhost {

// "popup", "float slider", "group start", ... or "type 42" for a code the host does not know.
std::string paramTypeName(PF_ParamType type);

}  // namespace vmhost
