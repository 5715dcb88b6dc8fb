#pragma once
// Greys out the controls that mean nothing in the current settings, and brings them back.

#include "hostapi/HostApi.h"

#include <cstdint>

namespace AEUtil {
class ParamUtilsSuiteHolder;
}

// The whole update for the host's update-parameters-UI command; returns the first host error.
PF_Err updateParamsUI(PF_InData* in_data, PF_ParamDef* params[]);

// Enables or disables the four controls with these IDs, telling the host of each change.
PF_Err setParamsEnabled(const AEUtil::ParamUtilsSuiteHolder& suite, PF_InData* in_data, PF_ParamDef* params[],
                        bool enable, const std::int32_t (&ids)[4]);

// Each controlled parameter follows its controller: enabled only while that is enabled and on.
PF_Err applyParamDependencies(const AEUtil::ParamUtilsSuiteHolder& suite, PF_InData* in_data, PF_ParamDef* params[]);

// True when the control of that ID is enabled and on (checkbox checked, popup not on item 1).
bool isParamActive(PF_ParamDef* params[], std::int32_t id);
