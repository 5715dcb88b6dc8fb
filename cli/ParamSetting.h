#pragma once
// One --set "Name=value": parsed, checked against the definition the effect
// added under that name, and stored as the host's current value.

#include <string>

#include "host/ParamList.h"

namespace vmcli {

struct ParamSetting {
    std::string name;
    std::string value;
    // Where a setting from a file came from, for messages ("look.txt line 3"); empty for --set.
    std::string origin = {};
};

// Splits at the first "="; throws UsageError without one or without a name.
ParamSetting parseParamSetting(const std::string& text);

// Sets the parameter by its display name: a slider or float slider to a
// number in its valid range, a popup to an item's text or 1-based number, a
// checkbox to on/off/1/0, a colour to #RRGGBB. Throws UsageError naming the
// parameter and what it accepts.
void applyParamSetting(vmhost::ParamList& params, const ParamSetting& setting);

// What a parameter accepts, e.g. "a number from 0 to 1000" or
// "one of Normal, Extract, Disable All (or 1 to 3)"; "" for parameters
// without a value (groups, the input layer).
std::string acceptedValues(const PF_ParamDef& def);

// The display name up to its terminator.
std::string paramName(const PF_ParamDef& def);

}  // namespace vmcli
