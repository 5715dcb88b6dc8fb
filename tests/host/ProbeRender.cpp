// The probe's render commands: the SmartFX pair and the legacy command, both
// ending in renderPixels.

#include <cstring>

#include "ProbeCommands.h"

namespace probe {

namespace {

A_long modeAt(PF_InData* in, PF_Err* err) {
    PF_ParamDef def;
    std::memset(&def, 0, sizeof def);
    *err = in->inter.checkout_param(in->effect_ref, kMode, in->current_time, in->time_step, in->time_scale, &def);
    if (*err != PF_Err_NONE) return 0;
    const A_long mode = def.u.pd.value;
    *err = in->inter.checkin_param(in->effect_ref, &def);
    return mode;
}

// The host's handles hold their data pointer first, so the record is reachable unlocked.
void deletePreRenderData(void* data) {
    auto handle = static_cast<PF_Handle>(data);
    const auto* record = static_cast<const PreRenderRecord*>(*handle);
    record->utils->host_dispose_handle(handle);
}

void reportFrame(PF_InData* in, PF_OutData* out) {
    in->utils->ansi.sprintf(out->return_msg, kFrameMessage, in->current_time, in->quality, in->downsample_x.num,
                            in->downsample_x.den, in->downsample_y.num, in->downsample_y.den);
}

}  // namespace

PF_Err smartPreRender(PF_InData* in, PF_PreRenderExtra* extra) {
    PF_Handle handle = in->utils->host_new_handle(sizeof(PreRenderRecord));
    if (!handle) return PF_Err_OUT_OF_MEMORY;
    extra->output->pre_render_data = handle;
    auto* record = static_cast<PreRenderRecord*>(in->utils->host_lock_handle(handle));
    std::memcpy(record->tag, "pre", sizeof record->tag);
    record->utils = in->utils;
    PF_Err err = PF_Err_NONE;
    record->mode = modeAt(in, &err);
    if (record->mode != kModeLeakPreRender) extra->output->delete_pre_render_data_func = deletePreRenderData;
    in->utils->host_unlock_handle(handle);
    if (err != PF_Err_NONE) return err;

    PF_RenderRequest request = extra->input->output_request;
    request.preserve_rgb_of_zero_alpha = true;
    PF_CheckoutResult checkout;
    err = extra->cb->checkout_layer(in->effect_ref, 0, 0, &request, in->current_time, in->time_step,
                                    in->time_scale, &checkout);
    if (err != PF_Err_NONE) return err;
    extra->output->result_rect = checkout.result_rect;
    extra->output->max_result_rect = checkout.max_result_rect;
    return PF_Err_NONE;
}

PF_Err smartRender(PF_InData* in, PF_OutData* out, PF_SmartRenderExtra* extra) {
    auto handle = static_cast<PF_Handle>(extra->input->pre_render_data);
    if (!handle) return PF_Err_INTERNAL_STRUCT_DAMAGED;
    const auto* record = static_cast<const PreRenderRecord*>(in->utils->host_lock_handle(handle));
    const A_long mode = record->mode;
    in->utils->host_unlock_handle(handle);

    PF_EffectWorld* input = nullptr;
    PF_EffectWorld* output = nullptr;
    PF_Err err = extra->cb->checkout_layer_pixels(in->effect_ref, 0, &input);
    if (err != PF_Err_NONE) return err;
    err = extra->cb->checkout_output(in->effect_ref, &output);
    if (err == PF_Err_NONE) err = renderPixels(in, mode, input, output);
    const PF_Err checkin = extra->cb->checkin_layer_pixels(in->effect_ref, 0);
    if (err == PF_Err_NONE) err = checkin;
    if (err == PF_Err_NONE) reportFrame(in, out);
    return err;
}

PF_Err legacyRender(PF_InData* in, PF_OutData* out, PF_ParamDef** params, PF_LayerDef* output) {
    if (!params || !params[0] || !output) return PF_Err_BAD_CALLBACK_PARAM;
    const A_long mode = in->num_params > kMode ? params[kMode]->u.pd.value : kModeInvert;
    const PF_Err err = renderPixels(in, mode, &params[0]->u.ld, output);
    if (err == PF_Err_NONE) reportFrame(in, out);
    return err;
}

}  // namespace probe
