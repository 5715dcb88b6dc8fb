#include "host/FrameRenderer.h"

#include <cstring>
#include <optional>
#include <stdexcept>
#include <vector>

#include "host/PixelFormat.h"
#include "host/SmartFXCallbacks.h"
#include "host/ThreadBinding.h"

namespace vmhost {

namespace {

// Alpha, red, green and blue: the effect API's channel mask bits 1, 2, 4, 8.
constexpr PF_ChannelMask kAllChannels = 0xF;

// out_data as Host::send prepares it: the effect's data handed through.
PF_OutData freshOutData(const PF_InData& in) {
    PF_OutData out;
    std::memset(&out, 0, sizeof out);
    out.global_data = in.global_data;
    out.sequence_data = in.sequence_data;
    out.frame_data = in.frame_data;
    out.width = in.width;
    out.height = in.height;
    return out;
}

std::string messageOf(const PF_OutData& out) {
    return std::string(out.return_msg, strnlen(out.return_msg, sizeof out.return_msg));
}

PF_LRect layerBounds(const Image& image) {
    return {image.originX(), image.originY(), image.originX() + image.width(), image.originY() + image.height()};
}

}  // namespace

PF_InData FrameRenderer::frameInData(const Image& input, const FrameRequest& request) const {
    PF_InData in = host_.inData();
    in.current_time = request.time;
    in.quality = request.quality;
    in.downsample_x = request.downsampleX;
    in.downsample_y = request.downsampleY;
    in.width = input.width();
    in.height = input.height();
    in.extent_hint = {0, 0, input.width(), input.height()};
    return in;
}

FrameResult FrameRenderer::render(const Image& input, const FrameRequest& request) {
    if (!host_.hasEffect()) throw std::logic_error("FrameRenderer: no effect loaded");
    HostContext& context = host_.context();
    FrameResult result;
    // A checking host lends a copy, so a faulty effect cannot change the
    // caller's image; otherwise the effect reads the caller's pixels (input
    // worlds are not the effect's to write).
    std::optional<Image> copy;
    if (context.copiesFrameInput()) copy.emplace(input);
    Image& source = copy ? *copy : const_cast<Image&>(input);
    // Filled only when the host poisons new worlds: the effect writes every output pixel.
    const A_long outputPadding = request.outputRowPadding.value_or(input.rowPadding());
    result.output = context.worlds().newImage(input.format(), input.width(), input.height(), outputPadding);
    result.output.setOrigin(input.originX(), input.originY());
    WorldStore::Loan inputLoan(context.worlds(), source);
    WorldStore::Loan outputLoan(context.worlds(), result.output);

    FrameLeakWatch::Frame watch(context.frameLeaks());
    PF_InData in = frameInData(input, request);
    if (request.command == RenderCommand::SmartFX)
        renderSmart(in, source, result, request);
    else
        renderLegacy(in, source, result);
    const HeldAfterFrames left = watch.finish();
    result.leakedHandles = left.handles;
    result.leakedWorlds = left.worlds;
    return result;
}

void FrameRenderer::renderSmart(PF_InData& in, Image& input, FrameResult& result, const FrameRequest& request) {
    HostContext& context = host_.context();
    PF_EffectWorld inputWorld = input.world();
    PF_EffectWorld outputWorld = result.output.world();
    FrameCheckouts checkouts(inputWorld, outputWorld, request.failures);
    ActiveFrames::Binding binding(context.frames(), checkouts);

    PF_RenderRequest& outputRequest = result.outputRequest;
    std::memset(&outputRequest, 0, sizeof outputRequest);
    outputRequest.rect = layerBounds(input);
    outputRequest.field = PF_Field_FRAME;
    outputRequest.channel_mask = kAllChannels;
    const short bitDepth = bitDepthOf(input.format());

    PF_PreRenderInput preInput{};
    preInput.output_request = outputRequest;
    preInput.bitdepth = bitDepth;
    preInput.what_gpu = PF_GPU_Framework_NONE;
    PF_PreRenderOutput preOutput{};  // empty rectangles: the effect widens them
    PF_PreRenderCallbacks preCallbacks = makePreRenderCallbacks();
    PF_PreRenderExtra preExtra{&preInput, &preOutput, &preCallbacks};
    PF_OutData out = freshOutData(in);
    result.preRenderErr = host_.sendWith(PF_Cmd_SMART_PRE_RENDER, in, out, nullptr, nullptr, &preExtra);
    result.err = result.preRenderErr;
    result.preRender = preOutput;

    if (result.preRenderErr == PF_Err_NONE) {
        PF_SmartRenderInput renderInput{};
        renderInput.output_request = outputRequest;
        renderInput.bitdepth = bitDepth;
        renderInput.pre_render_data = preOutput.pre_render_data;
        renderInput.what_gpu = PF_GPU_Framework_NONE;
        PF_SmartRenderCallbacks renderCallbacks = makeSmartRenderCallbacks();
        PF_SmartRenderExtra renderExtra{&renderInput, &renderCallbacks};
        out = freshOutData(in);
        result.err = host_.sendWith(PF_Cmd_SMART_RENDER, in, out, nullptr, nullptr, &renderExtra);
        result.renderSent = true;
    }
    result.returnMessage = messageOf(out);

    // The data is the effect's until the host is done with the frame, also after a failure.
    if (preOutput.pre_render_data && preOutput.delete_pre_render_data_func) {
        ThreadBinding deleting(&context);
        preOutput.delete_pre_render_data_func(preOutput.pre_render_data);
        result.preRenderDataDeleted = true;
    }
    result.layerCheckouts = checkouts.layerCheckouts();
    result.pixelCheckouts = checkouts.pixelCheckouts();
    result.pixelCheckins = checkouts.pixelCheckins();
    result.outputCheckouts = checkouts.outputCheckouts();
    result.checkoutsLeft = checkouts.outstanding();
    result.checkoutMisuses = checkouts.misuses();
}

void FrameRenderer::renderLegacy(PF_InData& in, Image& input, FrameResult& result) {
    // The frame's own copies of the definitions: the effect may write them,
    // and other frames read the host's at the same time.
    const ParamList& params = host_.params();
    std::vector<PF_ParamDef> defs;
    for (PF_ParamIndex i = 0; i < params.count(); ++i) defs.push_back(params.at(i));
    const A_long layerDefault = defs[0].u.ld.dephault;
    defs[0].u.ld = input.world();
    defs[0].u.ld.dephault = layerDefault;
    std::vector<PF_ParamDef*> pointers;
    for (PF_ParamDef& def : defs) pointers.push_back(&def);

    PF_EffectWorld outputWorld = result.output.world();
    PF_OutData out = freshOutData(in);
    result.err = host_.sendWith(PF_Cmd_RENDER, in, out, pointers.data(), &outputWorld, nullptr);
    result.returnMessage = messageOf(out);
}

}  // namespace vmhost
