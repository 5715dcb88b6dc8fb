// Controls that mean nothing in the current settings are greyed out, and come back.
#include "tests/support/EffectHostFixture.h"

#include <set>
#include <vector>

namespace {

class ParamsUITest : public EffectHostTest {
protected:
    void SetUp() override {
        EffectHostTest::SetUp();
        setUpInstance();
    }
    PF_Err updateUI() { return host().send(PF_Cmd_UPDATE_PARAMS_UI, host().paramsArray()); }
    std::set<int> disabled() {
        std::set<int> indices;
        for (int i = 1; i < host().params().count(); ++i) {
            if (host().params().isDisabled(i)) indices.insert(i);
        }
        return indices;
    }
};

// Host indices of the controls involved.
constexpr int kAlpha = 11;
constexpr int kEnable[4] = {14, 17, 20, 23};
constexpr int kInvert = 27;
constexpr int kKeepDivision = 28;

TEST_F(ParamsUITest, DefaultsGreyOutWhatHasNoKeyOrFollowsAutoAlpha) {
    ASSERT_EQ(PF_Err_NONE, updateUI());
    // Auto Alpha is on, no key colour is enabled.
    const std::set<int> expected = {kAlpha, 15, 16, 18, 19, 21, 22, 24, 25, kInvert, kKeepDivision};
    EXPECT_EQ(expected, disabled());
    EXPECT_EQ(static_cast<int>(expected.size()), host().paramUi().calls());
    for (const vmhost::ParamUiUpdate& update : host().paramUi().log()) EXPECT_NE(0, update.uiFlags & PF_PUI_DISABLED);

    host().paramUi().clear();
    ASSERT_EQ(PF_Err_NONE, updateUI());
    EXPECT_EQ(0, host().paramUi().calls()) << "nothing changed, so the host hears nothing";

    host().params().setValue("Auto Alpha", 0);
    ASSERT_EQ(PF_Err_NONE, updateUI());
    EXPECT_EQ(0u, disabled().count(kAlpha));
}

TEST_F(ParamsUITest, DisableAllGreysOutEveryKeyControlAndNormalBringsBackTheCheckedOnes) {
    host().params().setValue("1 : Enable", 1);
    host().params().setValue("3 : Enable", 1);
    ASSERT_EQ(PF_Err_NONE, updateUI());
    EXPECT_EQ((std::set<int>{kAlpha, 18, 19, 24, 25}), disabled());

    host().params().setValue("Mode", 3);
    ASSERT_EQ(PF_Err_NONE, updateUI());
    std::set<int> expected = {kAlpha, kInvert, kKeepDivision};
    for (int enable : kEnable) expected.insert({enable, enable + 1, enable + 2});
    EXPECT_EQ(expected, disabled());

    host().params().setValue("Mode", 1);
    ASSERT_EQ(PF_Err_NONE, updateUI());
    EXPECT_EQ((std::set<int>{kAlpha, 18, 19, 24, 25}), disabled());
}

TEST_F(ParamsUITest, HostErrorsStopTheUpdate) {
    host().paramUi().answerFrom(2, PF_Err_INTERNAL_STRUCT_DAMAGED);
    EXPECT_EQ(PF_Err_INTERNAL_STRUCT_DAMAGED, updateUI());
    EXPECT_EQ(2, host().paramUi().calls());
    expectNothingHeld();
}

TEST_F(ParamsUITest, SuiteVersionFollowsTheHostVersion) {
    for (A_short minor : {1, 2}) {
        vmhost::HostConfig config = vmhost::HostConfig::checking();
        config.apiMajor = 13;
        config.apiMinor = minor;
        start(config);
        setUpInstance();
        // Withdrawing the version the effect should ask for makes the update fail.
        host().serveParamUtilsSuite(minor == 2 ? 3 : 2, false);
        EXPECT_EQ(PF_Err_BAD_CALLBACK_PARAM, updateUI()) << "13." << minor;
        host().serveParamUtilsSuite(minor == 2 ? 3 : 2, true);
        host().serveParamUtilsSuite(minor == 2 ? 2 : 3, false);
        EXPECT_EQ(PF_Err_NONE, updateUI()) << "13." << minor;
        expectNothingHeld();
    }
}

}  // namespace
