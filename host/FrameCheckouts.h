#pragma once
// The SmartFX check-outs of one frame: the input layer requests the effect
// made at pre-render, and the pixel and output worlds it took at render. The
// host always delivers the whole input image, so a layer check-out answers
// the image's own rectangle (its origin and size) as both result and maximum.
// Used by the frame's own thread only.

#include <map>
#include <vector>

#include "hostapi/HostApi.h"

namespace vmhost {

// One checkout_layer call as the effect made it.
struct LayerCheckout {
    PF_ParamIndex index;
    A_long checkoutId;
    PF_RenderRequest request;
    A_long time;
    A_long timeStep;
    A_u_long timeScale;
};

// Errors the frame's callbacks answer instead of serving (PF_Err_NONE: serve).
struct CheckoutFailures {
    PF_Err layer = PF_Err_NONE;   // checkout_layer
    PF_Err pixels = PF_Err_NONE;  // checkout_layer_pixels
    PF_Err output = PF_Err_NONE;  // checkout_output
};

class FrameCheckouts {
public:
    // The worlds are the frame's and must outlive it.
    FrameCheckouts(PF_EffectWorld& input, PF_EffectWorld& output, const CheckoutFailures& failures);

    // The input layer is index 0; other indices are PF_Err_INVALID_INDEX.
    PF_Err checkoutLayer(PF_ParamIndex index, A_long checkoutId, const PF_RenderRequest* request, A_long time,
                         A_long timeStep, A_u_long timeScale, PF_CheckoutResult* result);
    // Only ids checked out at pre-render; others are PF_Err_BAD_CALLBACK_PARAM.
    PF_Err checkoutPixels(A_long checkoutId, PF_EffectWorld** pixels);
    PF_Err checkinPixels(A_long checkoutId);
    PF_Err checkoutOutput(PF_EffectWorld** output);

    const std::vector<LayerCheckout>& layerCheckouts() const { return layerCheckouts_; }
    int pixelCheckouts() const { return pixelCheckouts_; }
    int pixelCheckins() const { return pixelCheckins_; }
    int outputCheckouts() const { return outputCheckouts_; }
    // Pixel check-outs not checked in.
    int outstanding() const { return pixelCheckouts_ - pixelCheckins_; }
    // Unknown ids and check-ins of pixels not checked out.
    int misuses() const { return misuses_; }

private:
    PF_EffectWorld& input_;
    PF_EffectWorld& output_;
    const CheckoutFailures failures_;
    std::vector<LayerCheckout> layerCheckouts_;
    std::map<A_long, int> heldPixels_;  // checkout id -> pixel check-outs not checked in
    int pixelCheckouts_ = 0;
    int pixelCheckins_ = 0;
    int outputCheckouts_ = 0;
    int misuses_ = 0;
};

}  // namespace vmhost
