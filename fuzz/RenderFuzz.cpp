// Whole frames through the host: a small picture of any bytes in any depth (floats with
// NaN, infinities and denormals included) and any parameter record within the host's
// ranges, rendered through SmartFX or the legacy command. The frame must end with
// success or an error, never a crash; nothing may be left held, and the effect must
// write no padding.
#include <cmath>
#include <cstdint>
#include <cstring>

#include "fuzz/FuzzHost.h"
#include "fuzz/FuzzInput.h"
#include "host/FrameRenderer.h"
#include "host/Image.h"

namespace {

using vmfuzz::FuzzInput;
using vmfuzz::fuzzFault;

// A value in [low, high]: mostly spread over the range, sometimes an end of it.
double valueIn(FuzzInput& input, double low, double high) {
    const std::uint8_t kind = input.take<std::uint8_t>();
    if (kind < 16) return low;
    if (kind < 32) return high;
    const double t = input.take<std::uint16_t>() / 65535.0;
    return low + (high - low) * t;
}

// Every value-carrying parameter set from the input, within what the host lets a user pick.
void setParams(FuzzInput& input, vmhost::ParamList& params) {
    for (int index = 1; index < params.count(); ++index) {
        PF_ParamDef& def = params.at(index);
        switch (def.param_type) {
            case PF_Param_FLOAT_SLIDER:
                def.u.fs_d.value = valueIn(input, def.u.fs_d.valid_min, def.u.fs_d.valid_max);
                break;
            case PF_Param_SLIDER:
                def.u.sd.value =
                    static_cast<A_long>(std::lround(valueIn(input, def.u.sd.valid_min, def.u.sd.valid_max)));
                break;
            case PF_Param_POPUP: def.u.pd.value = 1 + static_cast<A_long>(input.pick(def.u.pd.num_choices)); break;
            case PF_Param_CHECKBOX: def.u.bd.value = input.pick(2); break;
            case PF_Param_COLOR: def.u.cd.value = input.take<PF_Pixel>(); break;
            default: break;
        }
    }
}

constexpr PF_PixelFormat kFormats[] = {PF_PixelFormat_ARGB32, PF_PixelFormat_ARGB64, PF_PixelFormat_ARGB128};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const PF_PixelFormat format = kFormats[input.pick(3)];
    const bool legacy = input.pick(2) == 1;
    const A_long width = 1 + static_cast<A_long>(input.pick(12));
    const A_long height = 1 + static_cast<A_long>(input.pick(12));

    vmhost::Host& host = vmfuzz::fuzzHost();
    setParams(input, host.params());

    // Pixels as raw bytes: any 16-bit value (also above 32768) and any float bit pattern.
    vmhost::Image picture(format, width, height, 8, 0);
    for (A_long y = 0; y < height; ++y) {
        const std::size_t rowBytes = static_cast<std::size_t>(width) * picture.bytesPerPixel();
        for (std::size_t i = 0; i < rowBytes; ++i) picture.row(y)[i] = input.take<std::uint8_t>();
    }

    const int baseline = host.handles().outstanding();
    vmhost::FrameRequest request;
    request.command = legacy ? vmhost::RenderCommand::Legacy : vmhost::RenderCommand::SmartFX;
    const vmhost::FrameResult result = vmhost::FrameRenderer(host).render(picture, request);
    if (result.leakedHandles || result.leakedWorlds) fuzzFault("the frame leaked");
    if (result.checkoutMisuses) fuzzFault("a check-in of nothing");
    if (result.err == PF_Err_NONE && result.checkoutsLeft) fuzzFault("the input stayed checked out");
    if (result.err == PF_Err_NONE && !result.output.paddingHolds(0xC3)) fuzzFault("the effect wrote into padding");
    vmfuzz::expectNothingHeld(host, baseline);
    return 0;
}
