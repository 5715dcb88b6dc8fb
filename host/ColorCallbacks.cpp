#include "host/ColorCallbacks.h"

#include "host/HlsConversion.h"
#include "host/HostContext.h"
#include "host/UnimplementedCallback.h"

namespace vmhost {

namespace {

// Alpha is ignored, as the conversion only concerns colour.
PF_Err rgbToHlsCallback(PF_ProgPtr effectRef, PF_Pixel* rgb, PF_Fixed* hls) {
    HostContext* host = HostContext::fromRef(effectRef);
    if (!host || !rgb || !hls) return PF_Err_BAD_CALLBACK_PARAM;
    if (host->failurePoints().fails(FailurePoint::RgbToHls)) return failureAnswer(FailurePoint::RgbToHls);
    const HlsFixed result = rgbToHls(rgb->red, rgb->green, rgb->blue);
    hls[0] = result.hue;
    hls[1] = result.lightness;
    hls[2] = result.saturation;
    return PF_Err_NONE;
}

}  // namespace

PF_ColorCallbacks makeColorCallbacks() {
    PF_ColorCallbacks color{};
    color.RGBtoHLS = rgbToHlsCallback;
    stubOut(color.HLStoRGB);
    stubOut(color.RGBtoYIQ);
    stubOut(color.YIQtoRGB);
    stubOut(color.Luminance);
    stubOut(color.Hue);
    stubOut(color.Lightness);
    stubOut(color.Saturation);
    return color;
}

}  // namespace vmhost
