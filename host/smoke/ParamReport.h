#pragma once
// Readable lines for the parameters an effect added at setup.

#include <string>

#include "hostapi/HostApi.h"

namespace vmhost::smoke {

// "popup", "float slider", ... or "type 42".
std::string describeParamType(PF_ParamType type);
// The default as the type holds it: "2 of \"Gaussian|Box\"", "a255 r3 g180 b245", ...
std::string describeParamDefault(const PF_ParamDef& def);
// " 1  popup         \"Blur Type\"  default 2 of \"Gaussian|Box\""
std::string describeParam(PF_ParamIndex index, const PF_ParamDef& def);

}  // namespace vmhost::smoke
