#pragma once

#include "hostapi/HostApi.h"

// Builds the effect's parameter objects into the registry.
void registerParams(PF_InData* in_data);
