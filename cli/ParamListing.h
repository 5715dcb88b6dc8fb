#pragma once
// The --list-params table: every parameter the effect added, with its type,
// what it accepts and its default, as the effect described it.

#include <string>

#include "host/ParamList.h"

namespace vmcli {

// One line per parameter after the input layer, then nothing else.
std::string describeParams(const vmhost::ParamList& params);

}  // namespace vmcli
