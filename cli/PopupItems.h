#pragma once
// The item texts of a popup definition ("Normal|Extract|Disable All").

#include <string>
#include <vector>

#include "hostapi/HostApi.h"

namespace vmcli {

std::vector<std::string> popupItems(const PF_ParamDef& def);

}  // namespace vmcli
