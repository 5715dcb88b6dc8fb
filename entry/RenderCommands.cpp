// The render commands: SmartFX pre-render and render, and the older single render
// command. Each turns the host's records into one filled RenderParams and one call of
// renderFrame.
#include "AEUtil/AEWorldSuite.h"
#include "AEUtil/HostHandle.h"
#include "entry/BaseFilter.h"
#include "entry/PreRenderData.h"
#include "params/ParamGetter.h"
#include "params/ParamRegistry.h"
#include "render/RenderParams.h"

#include <memory>
#include <new>

namespace {

bool isEmpty(const PF_LRect& rect) {
    return rect.left >= rect.right || rect.top >= rect.bottom;
}

// The output's rectangle grows to cover the input's; an empty one is taken over whole.
void widen(PF_LRect& output, const PF_LRect& input) {
    if (isEmpty(output)) {
        output = input;
    } else if (!isEmpty(input)) {
        output.left = std::min(output.left, input.left);
        output.top = std::min(output.top, input.top);
        output.right = std::max(output.right, input.right);
        output.bottom = std::max(output.bottom, input.bottom);
    }
}

}  // namespace

PF_Err checkoutInputLayer(PF_InData* in_data, PF_PreRenderExtra* extra, bool preserveRgbOfZeroAlpha) {
    PF_RenderRequest request = extra->input->output_request;
    if (preserveRgbOfZeroAlpha) request.preserve_rgb_of_zero_alpha = 1;
    PF_CheckoutResult result{};
    const PF_Err err = extra->cb->checkout_layer(in_data->effect_ref, 0, 0, &request, in_data->current_time,
                                                 in_data->time_step, in_data->time_scale, &result);
    if (err != PF_Err_NONE) return err;
    widen(extra->output->result_rect, result.result_rect);
    widen(extra->output->max_result_rect, result.max_result_rect);
    return PF_Err_NONE;
}

PF_Err BaseFilter::checkoutInputs(PF_InData* in_data, PF_OutData*, void* extra, RenderParams*) {
    return checkoutInputLayer(in_data, static_cast<PF_PreRenderExtra*>(extra), false);
}

PF_Err BaseFilter::beforeSmartRender(PF_InData*, PF_OutData*, void*, RenderParams*) {
    return PF_Err_NONE;
}

PF_Err BaseFilter::onSmartPreRender(PF_InData* in_data, PF_OutData* out_data, void* extra) {
    auto* preRender = static_cast<PF_PreRenderExtra*>(extra);
    PF_UtilCallbacks* utils = in_data->utils;

    AEUtil::OwnedHandle handle(utils, sizeof(RenderParams));
    if (!handle) return PF_Err_OUT_OF_MEMORY;
    AEUtil::HandleLock lock(utils, handle.get());
    if (!lock) return PF_Err_INTERNAL_STRUCT_DAMAGED;

    // The host owns the handle from here on and frees it after the frame, also when this
    // command fails.
    auto carrier = std::make_unique<PreRenderData>(PreRenderData{handle.get(), utils});
    handle.release();
    preRender->output->pre_render_data = carrier.release();
    preRender->output->delete_pre_render_data_func = &deletePreRenderData;

    auto* record = new (lock.data()) RenderParams(makeRenderParams());
    record->preRendered = 1;

    GetParamByCheckout getter(in_data, nullptr, true);
    PF_Err err = loadAllParams(record, getter);
    if (err == PF_Err_NONE) err = checkoutInputs(in_data, out_data, extra, record);
    return err;
}

PF_Err BaseFilter::onSmartRender(PF_InData* in_data, PF_OutData* out_data, void* extra) {
    auto* smart = static_cast<PF_SmartRenderExtra*>(extra);
    const auto* carrier = static_cast<const PreRenderData*>(smart->input->pre_render_data);
    if (carrier == nullptr) return PF_Err_INTERNAL_STRUCT_DAMAGED;
    AEUtil::HandleLock lock(in_data->utils, carrier->handle);
    if (!lock) return PF_Err_INTERNAL_STRUCT_DAMAGED;
    auto* record = static_cast<RenderParams*>(lock.data());

    record->inData = in_data;
    record->outData = out_data;
    record->input = nullptr;
    record->output = nullptr;
    PF_Err err = smart->cb->checkout_layer_pixels(in_data->effect_ref, 0, &record->input);
    if (err == PF_Err_NONE) err = smart->cb->checkout_output(in_data->effect_ref, &record->output);
    if (err != PF_Err_NONE) return err;

    if (record->input != nullptr && record->output != nullptr) {
        const PF_EffectWorld& input = *record->input;
        record->area = PF_LRect{0, 0, input.width, input.height};
        record->layerArea = PF_LRect{input.origin_x, input.origin_y, input.origin_x + input.width,
                                     input.origin_y + input.height};
        PF_PixelFormat format = 0;
        err = AEUtil::getSmartPixelFormat(in_data, record->input, &format);
        record->pixelFormat = static_cast<std::uint32_t>(format);
        if (err == PF_Err_NONE) err = beforeSmartRender(in_data, out_data, extra, record);
        if (err == PF_Err_NONE) err = renderFrame(record);
    }
    if (err == PF_Err_NONE) err = smart->cb->checkin_layer_pixels(in_data->effect_ref, 0);
    return err;
}

PF_Err BaseFilter::onRender(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[], PF_LayerDef* output) {
    RenderParams record = makeRenderParams();
    record.area = in_data->extent_hint;
    record.inData = in_data;
    record.outData = out_data;
    record.input = &params[0]->u.ld;
    record.output = output;

    PF_PixelFormat format = 0;
    PF_Err err = AEUtil::getPixelFormat(in_data, record.input, &format);
    record.pixelFormat = static_cast<std::uint32_t>(format);
    if (err == PF_Err_NONE) {
        // Each parameter is checked out into a copy of this frame's own and checked in at
        // once, as at pre-render: the effect renders threaded, so frames may render at
        // once, and the registry objects' own definitions are shared by all of them.
        // Nothing stays checked out when the render fails or throws.
        GetParamByCheckout getter(in_data, params, true);
        err = loadAllParams(&record, getter);
        if (err == PF_Err_NONE) err = renderFrame(&record);
    }
    return err;
}
