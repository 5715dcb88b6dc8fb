#include "host/FrameCheckouts.h"

#include <cstring>

namespace vmhost {

FrameCheckouts::FrameCheckouts(PF_EffectWorld& input, PF_EffectWorld& output, const CheckoutFailures& failures)
    : input_(input), output_(output), failures_(failures) {}

PF_Err FrameCheckouts::checkoutLayer(PF_ParamIndex index, A_long checkoutId, const PF_RenderRequest* request,
                                     A_long time, A_long timeStep, A_u_long timeScale, PF_CheckoutResult* result) {
    if (!request || !result) return PF_Err_BAD_CALLBACK_PARAM;
    layerCheckouts_.push_back({index, checkoutId, *request, time, timeStep, timeScale});
    if (failures_.layer != PF_Err_NONE) return failures_.layer;
    if (index != 0) return PF_Err_INVALID_INDEX;
    heldPixels_.emplace(checkoutId, 0);
    std::memset(result, 0, sizeof *result);
    const PF_LRect bounds{input_.origin_x, input_.origin_y, input_.origin_x + input_.width,
                          input_.origin_y + input_.height};
    result->result_rect = bounds;
    result->max_result_rect = bounds;
    result->par = {1, 1};
    result->ref_width = input_.width;
    result->ref_height = input_.height;
    return PF_Err_NONE;
}

PF_Err FrameCheckouts::checkoutPixels(A_long checkoutId, PF_EffectWorld** pixels) {
    if (!pixels) return PF_Err_BAD_CALLBACK_PARAM;
    *pixels = nullptr;
    if (failures_.pixels != PF_Err_NONE) return failures_.pixels;
    const auto held = heldPixels_.find(checkoutId);
    if (held == heldPixels_.end()) {
        ++misuses_;
        return PF_Err_BAD_CALLBACK_PARAM;
    }
    ++held->second;
    ++pixelCheckouts_;
    *pixels = &input_;
    return PF_Err_NONE;
}

PF_Err FrameCheckouts::checkinPixels(A_long checkoutId) {
    const auto held = heldPixels_.find(checkoutId);
    if (held == heldPixels_.end() || held->second == 0) {
        ++misuses_;
        return PF_Err_BAD_CALLBACK_PARAM;
    }
    --held->second;
    ++pixelCheckins_;
    return PF_Err_NONE;
}

PF_Err FrameCheckouts::checkoutOutput(PF_EffectWorld** output) {
    if (!output) return PF_Err_BAD_CALLBACK_PARAM;
    *output = nullptr;
    if (failures_.output != PF_Err_NONE) return failures_.output;
    ++outputCheckouts_;
    *output = &output_;
    return PF_Err_NONE;
}

}  // namespace vmhost
