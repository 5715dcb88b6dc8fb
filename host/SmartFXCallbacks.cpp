#include "host/SmartFXCallbacks.h"

#include "host/FrameCheckouts.h"
#include "host/HostContext.h"

namespace vmhost {

namespace {

FrameCheckouts* frameOf(PF_ProgPtr effectRef) {
    HostContext* host = HostContext::fromRef(effectRef);
    return host ? host->frames().current() : nullptr;
}

bool injectedFailure(PF_ProgPtr effectRef, FailurePoint point) {
    HostContext* host = HostContext::fromRef(effectRef);
    return host && host->failurePoints().fails(point);
}

PF_Err checkoutLayer(PF_ProgPtr effectRef, PF_ParamIndex index, A_long checkoutId, const PF_RenderRequest* request,
                     A_long time, A_long timeStep, A_u_long timeScale, PF_CheckoutResult* result) {
    FrameCheckouts* frame = frameOf(effectRef);
    if (!frame) return PF_Err_BAD_CALLBACK_PARAM;
    if (injectedFailure(effectRef, FailurePoint::LayerCheckOut)) return failureAnswer(FailurePoint::LayerCheckOut);
    return frame->checkoutLayer(index, checkoutId, request, time, timeStep, timeScale, result);
}

// The host keeps no cache, so what the effect mixes in changes nothing.
PF_Err mixInGuid(PF_ProgPtr effectRef, A_u_long, const void*) {
    return frameOf(effectRef) ? PF_Err_NONE : PF_Err_BAD_CALLBACK_PARAM;
}

PF_Err checkoutLayerPixels(PF_ProgPtr effectRef, A_long checkoutId, PF_EffectWorld** pixels) {
    FrameCheckouts* frame = frameOf(effectRef);
    if (!frame) return PF_Err_BAD_CALLBACK_PARAM;
    if (injectedFailure(effectRef, FailurePoint::LayerPixels)) {
        if (pixels) *pixels = nullptr;
        return failureAnswer(FailurePoint::LayerPixels);
    }
    return frame->checkoutPixels(checkoutId, pixels);
}

PF_Err checkinLayerPixels(PF_ProgPtr effectRef, A_long checkoutId) {
    FrameCheckouts* frame = frameOf(effectRef);
    if (!frame) return PF_Err_BAD_CALLBACK_PARAM;
    return frame->checkinPixels(checkoutId);
}

PF_Err checkoutOutput(PF_ProgPtr effectRef, PF_EffectWorld** output) {
    FrameCheckouts* frame = frameOf(effectRef);
    if (!frame) return PF_Err_BAD_CALLBACK_PARAM;
    if (injectedFailure(effectRef, FailurePoint::OutputCheckOut)) {
        if (output) *output = nullptr;
        return failureAnswer(FailurePoint::OutputCheckOut);
    }
    return frame->checkoutOutput(output);
}

}  // namespace

PF_PreRenderCallbacks makePreRenderCallbacks() {
    PF_PreRenderCallbacks callbacks{};
    callbacks.checkout_layer = checkoutLayer;
    callbacks.GuidMixInPtr = mixInGuid;
    return callbacks;
}

PF_SmartRenderCallbacks makeSmartRenderCallbacks() {
    PF_SmartRenderCallbacks callbacks{};
    callbacks.checkout_layer_pixels = checkoutLayerPixels;
    callbacks.checkin_layer_pixels = checkinLayerPixels;
    callbacks.checkout_output = checkoutOutput;
    return callbacks;
}

}  // namespace vmhost
