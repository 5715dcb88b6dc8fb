#pragma once

#include "hostapi/HostApi.h"

#include <cstdint>

// IDs of the parameters that other code looks up by ID.
enum EffectParamId : std::int32_t {
    kIdBlurType = 50,
    kIdBlurAmount = 51,
    kIdRepeatCount = 52,
    kIdBlurAspect = 53,
    kIdKeepDivision = 54,
    kIdBrightness = 55,
    kIdRgbGroup = 100,
    kIdRgbGroupEnd = 101,
    kIdAutoAlpha = 102,
    kIdRed = 103,
    kIdGreen = 104,
    kIdBlue = 105,
    kIdAlpha = 106,
    kIdKeyGroup = 150,
    kIdKeyGroupEnd = 151,
    kIdKey1Enable = 152,
    kIdKey2Enable = 155,
    kIdKey3Enable = 158,
    kIdKey4Enable = 161,
    kIdMode = 164,
    kIdInvert = 165,
};

constexpr int kEffectParamObjects = 29;

// Builds the effect's parameter objects into the registry, from a cleared registry.
void registerParams(PF_InData* in_data);
