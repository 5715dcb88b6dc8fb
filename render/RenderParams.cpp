#include "render/RenderParams.h"

#include <cstring>

RenderParams makeRenderParams() {
    RenderParams params;
    std::memset(&params, 0, sizeof params);
    params.brightnessGain = 8.0;
    params.brightnessCurve = 4.0;
    params.mode = kModeDisableAll;
    params.repeatCount = 1;
    params.blurType = kBlurGaussian;
    params.reserved1 = 1.5;
    params.reserved2 = 1.0;
    params.pixelFormat = kPixelFormatUnset;
    return params;
}
