#pragma once
// What a test asks of one frame, and everything the frame left behind.

#include <optional>
#include <string>
#include <vector>

#include "host/FrameCheckouts.h"
#include "host/Image.h"
#include "hostapi/HostApi.h"

namespace vmhost {

enum class RenderCommand {
    SmartFX,  // PF_Cmd_SMART_PRE_RENDER, then PF_Cmd_SMART_RENDER
    Legacy,   // PF_Cmd_RENDER with the input layer in params[0]
};

struct FrameRequest {
    RenderCommand command = RenderCommand::SmartFX;
    A_long time = 0;  // in_data->current_time, in the host's time scale
    PF_RationalScale downsampleX{1, 1};
    PF_RationalScale downsampleY{1, 1};
    PF_Quality quality = PF_Quality_HI;
    // Bytes after each output row; nullopt: as many as the input has.
    std::optional<A_long> outputRowPadding;
    // SmartFX callbacks that fail on purpose.
    CheckoutFailures failures;
};

struct FrameResult {
    // Of the last command sent (the pre-render when it failed).
    PF_Err err = PF_Err_NONE;
    std::string returnMessage;
    // The output world as the effect left it, padding included; it starts
    // out filled with HostConfig::worldFillByte (unfilled without one).
    Image output;

    // SmartFX only.
    PF_Err preRenderErr = PF_Err_NONE;
    bool renderSent = false;             // PF_Cmd_SMART_RENDER followed
    PF_RenderRequest outputRequest{};    // what the host asked for
    PF_PreRenderOutput preRender{};      // as the effect left it
    bool preRenderDataDeleted = false;   // the effect's deletion function ran
    std::vector<LayerCheckout> layerCheckouts;
    int pixelCheckouts = 0;
    int pixelCheckins = 0;
    int outputCheckouts = 0;
    int checkoutsLeft = 0;       // pixel check-outs never checked in
    int checkoutMisuses = 0;     // unknown ids, check-ins of nothing

    // What the host still held beyond its state before the frame, found
    // when this frame was the last one rendering (else zero).
    int leakedHandles = 0;
    int leakedWorlds = 0;
};

}  // namespace vmhost
