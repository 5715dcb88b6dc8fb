// The SmartFX commands against hand-made host records: rectangles, and what a render
// without its pre-render data or with an offset input does.
#include "entry/CustomFilter.h"
#include "entry/PreRenderData.h"
#include "host/Host.h"
#include "render/RenderParams.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// What the fake SmartFX callbacks saw and answer.
struct FakeSmartFX {
    PF_RenderRequest request{};
    PF_LRect inputResult{};
    int pixelCheckouts = 0;
    int pixelCheckins = 0;
    PF_EffectWorld* inputWorld = nullptr;
    PF_EffectWorld* outputWorld = nullptr;
};
FakeSmartFX fake;

PF_Err checkoutLayer(PF_ProgPtr, PF_ParamIndex, A_long, const PF_RenderRequest* req, A_long, A_long, A_u_long,
                     PF_CheckoutResult* result) {
    fake.request = *req;
    result->result_rect = fake.inputResult;
    result->max_result_rect = fake.inputResult;
    return PF_Err_NONE;
}

PF_Err checkoutPixels(PF_ProgPtr, A_long, PF_EffectWorld** pixels) {
    ++fake.pixelCheckouts;
    *pixels = fake.inputWorld;
    return PF_Err_NONE;
}

PF_Err checkinPixels(PF_ProgPtr, A_long) {
    ++fake.pixelCheckins;
    return PF_Err_NONE;
}

PF_Err checkoutOutput(PF_ProgPtr, PF_EffectWorld** output) {
    *output = fake.outputWorld;
    return PF_Err_NONE;
}

class RenderCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { fake = FakeSmartFX{}; }

    PF_LRect preRenderResult(PF_LRect outputBefore, PF_LRect inputResult) {
        fake.inputResult = inputResult;
        PF_PreRenderInput input{};
        input.output_request.preserve_rgb_of_zero_alpha = 0;
        PF_PreRenderOutput output{};
        output.result_rect = outputBefore;
        output.max_result_rect = outputBefore;
        PF_PreRenderCallbacks callbacks{};
        callbacks.checkout_layer = &checkoutLayer;
        PF_PreRenderExtra extra{&input, &output, &callbacks};
        EXPECT_EQ(PF_Err_NONE, filter.checkoutInputs(&host.inData(), &host.outData(), &extra, nullptr));
        EXPECT_EQ(0, std::memcmp(&output.result_rect, &output.max_result_rect, sizeof(PF_LRect)));
        return output.result_rect;
    }

    PF_SmartRenderCallbacks smartCallbacks() {
        PF_SmartRenderCallbacks callbacks{};
        callbacks.checkout_layer_pixels = &checkoutPixels;
        callbacks.checkin_layer_pixels = &checkinPixels;
        callbacks.checkout_output = &checkoutOutput;
        return callbacks;
    }

    vmhost::Host host{vmhost::HostConfig::checking()};
    CustomFilter filter;
};

bool sameRect(const PF_LRect& a, const PF_LRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(RenderCommandsTest, ResultRectanglesGrowToCoverTheInput) {
    const PF_LRect input{10, 20, 110, 220};
    EXPECT_TRUE(sameRect(input, preRenderResult(PF_LRect{0, 0, 0, 0}, input)));
    EXPECT_NE(0, fake.request.preserve_rgb_of_zero_alpha) << "always asked for, whatever the host requested";
    EXPECT_TRUE(sameRect(PF_LRect{0, 0, 110, 220}, preRenderResult(PF_LRect{0, 0, 50, 50}, input)));
    EXPECT_TRUE(sameRect(PF_LRect{0, 0, 50, 50}, preRenderResult(PF_LRect{0, 0, 50, 50}, PF_LRect{5, 5, 5, 9})));
}

TEST_F(RenderCommandsTest, RenderWithoutPreRenderDataChecksNothingOut) {
    PF_SmartRenderInput input{};
    PF_SmartRenderCallbacks callbacks = smartCallbacks();
    PF_SmartRenderExtra extra{&input, &callbacks};
    EXPECT_EQ(PF_Err_INTERNAL_STRUCT_DAMAGED, filter.onSmartRender(&host.inData(), &host.outData(), &extra));
    EXPECT_EQ(0, fake.pixelCheckouts);
}

TEST_F(RenderCommandsTest, AreaIsTheInputAndLayerAreaFollowsItsOrigin) {
    PF_EffectWorld world{};
    world.width = 100;
    world.height = 50;
    world.origin_x = 5;
    world.origin_y = 7;
    fake.inputWorld = &world;
    fake.outputWorld = &world;

    PF_UtilCallbacks* utils = host.utils();
    auto* carrier = new PreRenderData{utils->host_new_handle(sizeof(RenderParams)), utils};
    *static_cast<RenderParams*>(utils->host_lock_handle(carrier->handle)) = makeRenderParams();
    utils->host_unlock_handle(carrier->handle);

    PF_SmartRenderInput input{};
    input.pre_render_data = carrier;
    PF_SmartRenderCallbacks callbacks = smartCallbacks();
    PF_SmartRenderExtra extra{&input, &callbacks};
    // The host knows nothing of this world, so its pixel format cannot be had and nothing renders.
    EXPECT_NE(PF_Err_NONE, filter.onSmartRender(&host.inData(), &host.outData(), &extra));
    EXPECT_EQ(0, fake.pixelCheckins) << "a failed render does not check the input in";

    const auto* record = static_cast<const RenderParams*>(utils->host_lock_handle(carrier->handle));
    EXPECT_TRUE(sameRect(PF_LRect{0, 0, 100, 50}, record->area));
    EXPECT_TRUE(sameRect(PF_LRect{5, 7, 105, 57}, record->layerArea));
    EXPECT_EQ(&host.inData(), record->inData);
    utils->host_unlock_handle(carrier->handle);

    deletePreRenderData(carrier);
    EXPECT_EQ(0, host.handles().outstanding());
    EXPECT_EQ(0, host.handles().locked());
}

}  // namespace
