// Everything of the After Effects effect API that Velumixer declares itself.
#pragma once

#include "hostapi/HostTypes.h"
#include "hostapi/HostConstants.h"
#include "hostapi/EffectRecords.h"
#include "hostapi/SmartFX.h"
#include "hostapi/Suites.h"
