#pragma once
// Effect worlds through the host's suites: "PF World Suite" (version 2, falling back to
// version 1) to make and dispose of worlds and ask their pixel format, and
// "PF World Transform Suite" 1 to copy them. Each call holds its suite only while it runs.

#include "AEUtil/EffectWorldPtr.h"
#include "hostapi/HostApi.h"

#include <cstdint>

namespace AEUtil {

namespace WorldSuite {

// A new world of that size and pixel format ('argb', 'ae16', 'ae32'), its pixels cleared
// when `clear` is non-zero. Without world suite 2 only 'argb' and 'ae16' can be made (by
// version 1). Throws AEException with the host's code when the host fails, and with
// PF_Err_BAD_CALLBACK_PARAM when no world suite can make the format.
EffectWorldPtr newWorld(PF_InData* inData, std::int32_t width, std::int32_t height, std::uint8_t clear,
                        PF_PixelFormat pixelFormat);

}  // namespace WorldSuite

// Hands a world back to the host (world suite 2, else 1); returns the host's error.
PF_Err disposeWorld(SPBasicSuite* basic, PF_ProgPtr effectRef, PF_EffectWorld* world);

// The world's pixel format. Without world suite 2: 'ae16' for a deep world, else 'argb'.
PF_Err getPixelFormat(PF_InData* inData, const PF_EffectWorld* world, PF_PixelFormat* pixelFormat);
// For SmartFX frames, which may be float: only "PF World Suite" version 2 can tell, and
// every host with SmartFX serves it, so its refusal is a host failure
// (PF_Err_BAD_CALLBACK_PARAM) rather than a sign of an older host.
PF_Err getSmartPixelFormat(PF_InData* inData, const PF_EffectWorld* world, PF_PixelFormat* pixelFormat);

// Copies all of `source` into `destination`, with the high-quality copy when the command
// renders at high quality. Throws the bare 516 without a basic suite or transform suite.
PF_Err copyWorld(PF_InData* inData, PF_EffectWorld* source, PF_EffectWorld* destination);

}  // namespace AEUtil
