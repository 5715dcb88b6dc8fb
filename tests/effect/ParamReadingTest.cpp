// Reading the current parameter values into the render record, by check-out from the host
// or from a command's params array.
#include "tests/support/EffectHostFixture.h"
#include "params/BaseParam.h"
#include "params/EffectParams.h"
#include "params/ParamGetter.h"
#include "params/ParamRegistry.h"
#include "render/RenderParams.h"

#include <cstring>

namespace {

class ParamReadingTest : public EffectHostTest {
protected:
    void SetUp() override {
        EffectHostTest::SetUp();
        setUpInstance();
        // The walks run in this process against the host's definitions of the module's set.
        registerParams(&host().inData());
    }
};

TEST_F(ParamReadingTest, CheckOutCopiesFillTheRecordAndGoBackAtOnce) {
    host().inData().current_time = 90;
    host().inData().time_step = 3;
    host().inData().time_scale = 30;
    RenderParams record = makeRenderParams();
    GetParamByCheckout getter(&host().inData(), nullptr, true);
    ASSERT_EQ(PF_Err_NONE, loadAllParams(&record, getter));

    EXPECT_EQ(kBlurBox, record.blurType);
    EXPECT_EQ(3, record.repeatCount);
    EXPECT_DOUBLE_EQ(5.0, record.greenAmount);
    EXPECT_DOUBLE_EQ(15.0, record.blueAmount);
    EXPECT_EQ(1, record.autoAlpha);
    EXPECT_EQ(1, record.keepDivision);
    EXPECT_EQ(kModeNormal, record.mode);
    EXPECT_DOUBLE_EQ(8.0, record.brightnessGain);
    EXPECT_DOUBLE_EQ(4.0, record.brightnessCurve);
    EXPECT_EQ(kPixelFormatUnset, record.pixelFormat);
    EXPECT_EQ(245, record.keyColors[3].color.blue);
    EXPECT_EQ(255, record.keyColors[3].color.alpha);

    // Groups are never fetched; nothing stays checked out; the registry is untouched.
    EXPECT_EQ(25, host().paramCalls().checkOutCalls());
    EXPECT_EQ(0, host().paramCalls().outstandingCheckOuts());
    EXPECT_EQ(0, paramsByIndex[8]->def.param_type);
    const auto time = host().paramCalls().lastCheckOutTime();
    ASSERT_TRUE(time.has_value());
    EXPECT_EQ(90, time->time);
    EXPECT_EQ(3, time->step);
    EXPECT_EQ(30u, time->scale);
    EXPECT_EQ(PF_Err_NONE, releaseAllParams(getter));
    EXPECT_EQ(25, host().paramCalls().checkOutCalls());
}

TEST_F(ParamReadingTest, FailedCheckOutStopsTheWalkAndLeavesLaterFieldsAlone) {
    host().params().setFloatValue("Blur Amount", 4.0);
    host().params().setValue("Blur Repeat Num", 7);
    host().paramCalls().failCheckOutsOf(3, PF_Err_INTERNAL_STRUCT_DAMAGED);
    RenderParams record = makeRenderParams();
    GetParamByCheckout getter(&host().inData(), nullptr, true);
    EXPECT_EQ(PF_Err_INTERNAL_STRUCT_DAMAGED, loadAllParams(&record, getter));
    EXPECT_EQ(kBlurBox, record.blurType);
    EXPECT_DOUBLE_EQ(4.0, record.blurAmount);
    EXPECT_EQ(1, record.repeatCount) << "the failed parameter keeps the fresh value";
    EXPECT_DOUBLE_EQ(0.0, record.greenAmount) << "so does everything after it";
    EXPECT_EQ(kModeDisableAll, record.mode);
    EXPECT_EQ(0, host().paramCalls().outstandingCheckOuts());

    PF_ParamDef failed;
    std::memset(&failed, 0x5A, sizeof failed);
    EXPECT_NE(PF_Err_NONE, getter.get(3, &failed));
    EXPECT_EQ(0, failed.param_type);
    EXPECT_EQ(0, failed.u.sd.value) << "a failed check-out leaves nothing that looks like a value";
}

TEST_F(ParamReadingTest, InPlaceLoadsAreCheckedInByTheReleaseWalk) {
    GetParamByCheckout getter(&host().inData(), host().paramsArray(), false);
    ASSERT_EQ(PF_Err_NONE, loadAllParams(nullptr, getter));
    EXPECT_EQ(25, host().paramCalls().outstandingCheckOuts());
    EXPECT_DOUBLE_EQ(5.0, paramsByIndex[8]->def.u.fs_d.value) << "the definition lands in the object";

    GetParamByCheckout release(&host().inData(), nullptr, false);
    EXPECT_EQ(PF_Err_NONE, releaseAllParams(release));
    EXPECT_EQ(0, host().paramCalls().outstandingCheckOuts());
    EXPECT_EQ(0, host().paramCalls().unmatchedCheckIns());
}

TEST_F(ParamReadingTest, EnabledStateComesFromTheParamsArray) {
    host().params().setUiFlags("A", PF_PUI_DISABLED, true);
    const PF_ParamIndex alpha = host().params().indexOf("A");
    GetParamFromArray fromArray(host().paramsArray());
    EXPECT_FALSE(fromArray.isEnabled(alpha));
    EXPECT_TRUE(fromArray.isEnabled(alpha - 1));
    EXPECT_FALSE(GetParamByCheckout(&host().inData(), host().paramsArray(), true).isEnabled(alpha));
    EXPECT_TRUE(GetParamByCheckout(&host().inData(), nullptr, true).isEnabled(alpha));

    // Reading from the array copies the definitions into the objects; nothing to check in.
    host().params().setValue("Mode", 2);
    RenderParams record = makeRenderParams();
    ASSERT_EQ(PF_Err_NONE, loadAllParams(&record, fromArray));
    EXPECT_EQ(kModeExtract, record.mode);
    EXPECT_EQ(PF_Err_NONE, releaseAllParams(fromArray));
    EXPECT_EQ(0, host().paramCalls().checkOutCalls());
}

}  // namespace
