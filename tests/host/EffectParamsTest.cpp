// Parameters as the probe effect reaches them: added at setup, checked out
// and in, greyed out through the params array and the Param Utils suite.

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>

#include "ProbeHost.h"
#include "SuiteLease.h"

namespace {

using probe::loadedHost;

probe::CheckoutRequest checkOuts(std::initializer_list<PF_ParamIndex> indices, bool checkIn) {
    probe::CheckoutRequest request;
    std::memset(&request, 0, sizeof request);
    for (PF_ParamIndex index : indices) request.indices[request.count++] = index;
    request.checkIn = checkIn;
    return request;
}

probe::UiRequest toggles(A_long suiteVersion, std::initializer_list<PF_ParamIndex> indices,
                         PF_ParamIndex viaCopy = 0) {
    probe::UiRequest request;
    std::memset(&request, 0, sizeof request);
    request.suiteVersion = suiteVersion;
    for (PF_ParamIndex index : indices) request.toggle[request.count++] = index;
    request.viaCopy = viaCopy;
    return request;
}

std::string name(const PF_ParamDef& def) {
    return std::string(def.name, strnlen(def.name, sizeof def.name));
}

TEST(EffectParams, SetupKeepsTheAddedDefinitionsAndTheReportedCount) {
    auto host = loadedHost();
    ASSERT_EQ(PF_Err_NONE, host->send(PF_Cmd_PARAMS_SETUP));
    const vmhost::ParamList& params = host->params();
    ASSERT_EQ(probe::kNumParams, params.count());
    EXPECT_EQ(probe::kNumParams, params.reportedNumParams());
    EXPECT_EQ(probe::kNumParams, host->inData().num_params) << "later commands see the count";
    EXPECT_EQ(PF_Param_LAYER, params.at(0).param_type);
    EXPECT_EQ(probe::kMode, params.indexOf("Mode"));
    EXPECT_EQ("Details", name(params.at(probe::kDetails)));
    EXPECT_EQ(PF_Param_GROUP_END, params.at(probe::kDetailsEnd).param_type);
    EXPECT_EQ(probe::kFirstParamId + 4, params.at(probe::kTint).uu.id);
    EXPECT_EQ(25, params.at(probe::kAmount).u.sd.dephault);
    EXPECT_DOUBLE_EQ(2.5, params.at(probe::kStrength).u.fs_d.value);
    EXPECT_EQ(probe::kTintDefault.blue, params.at(probe::kTint).u.cd.dephault.blue);
    // The probe scribbled over its own texts after adding.
    EXPECT_STREQ(probe::kModeChoices, params.at(probe::kMode).u.pd.u.namesptr);
    EXPECT_STREQ(probe::kEnableLabel, params.at(probe::kEnable).u.bd.u.nameptr);
    EXPECT_EQ(probe::kNumParams - 1, host->paramCalls().addCalls());

    // Outside parameter setup nothing may be added.
    PF_ParamDef extra = params.at(probe::kAmount);
    EXPECT_EQ(PF_Err_BAD_CALLBACK_PARAM, host->inData().inter.add_param(host->inData().effect_ref, -1, &extra));
    EXPECT_EQ(probe::kNumParams, params.count());

    // A refused add stops the effect; it still reports its full count.
    host->paramCalls().failNthAdd(3, PF_Err_INTERNAL_STRUCT_DAMAGED);
    EXPECT_EQ(PF_Err_INTERNAL_STRUCT_DAMAGED, host->send(PF_Cmd_PARAMS_SETUP));
    EXPECT_EQ(3, params.count()) << "the layer and the two added before the failure";
    EXPECT_EQ(probe::kNumParams, params.reportedNumParams());
    EXPECT_EQ(0, host->inData().num_params);

    // Another setup replaces the list rather than adding to it.
    ASSERT_EQ(PF_Err_NONE, host->send(PF_Cmd_PARAMS_SETUP));
    EXPECT_EQ(probe::kNumParams, params.count());
    EXPECT_EQ(probe::kNumParams, host->inData().num_params);
}

TEST(EffectParams, CheckOutsGiveCurrentValuesAndAreCountedUntilCheckedIn) {
    auto host = loadedHost();
    ASSERT_EQ(PF_Err_NONE, host->send(PF_Cmd_PARAMS_SETUP));
    vmhost::ParamList& params = host->params();
    params.setValue("Amount", 70);
    params.setFloatValue(probe::kStrength, 7.25);
    params.setValue("Mode", 3);
    params.setValue(probe::kEnable, 0);
    params.setColor("Tint", PF_Pixel{255, 1, 2, 3});
    PF_EffectWorld input{};
    input.width = 32;
    params.setInputWorld(input);
    host->inData().current_time = 1200;
    host->inData().time_step = 20;
    host->inData().time_scale = 600;

    auto all = checkOuts({0, probe::kAmount, probe::kStrength, probe::kMode, probe::kEnable, probe::kTint}, false);
    ASSERT_EQ(PF_Err_NONE, host->send(PF_Cmd_FRAME_SETUP, nullptr, nullptr, &all));
    EXPECT_EQ(PF_Param_LAYER, all.defs[0].param_type);
    EXPECT_EQ(32, all.defs[0].u.ld.width);
    EXPECT_EQ(70, all.defs[1].u.sd.value);
    EXPECT_DOUBLE_EQ(7.25, all.defs[2].u.fs_d.value);
    EXPECT_EQ(3, all.defs[3].u.pd.value);
    EXPECT_STREQ(probe::kModeChoices, all.defs[3].u.pd.u.namesptr);
    EXPECT_EQ(0, all.defs[4].u.bd.value);
    EXPECT_EQ(3, all.defs[5].u.cd.value.blue);
    EXPECT_EQ(6, host->paramCalls().outstandingCheckOuts());
    const auto time = host->paramCalls().lastCheckOutTime();
    ASSERT_TRUE(time);
    EXPECT_EQ(1200, time->time);
    EXPECT_EQ(20, time->step);
    EXPECT_EQ(600u, time->scale);

    auto paired = checkOuts({probe::kAmount, probe::kTint}, true);
    ASSERT_EQ(PF_Err_NONE, host->send(PF_Cmd_FRAME_SETUP, nullptr, nullptr, &paired));
    EXPECT_EQ(6, host->paramCalls().outstandingCheckOuts());
    for (int i = 0; i < all.count; ++i) host->inData().inter.checkin_param(host->inData().effect_ref, &all.defs[i]);
    EXPECT_EQ(0, host->paramCalls().outstandingCheckOuts());
    host->inData().inter.checkin_param(host->inData().effect_ref, &all.defs[0]);
    EXPECT_EQ(0, host->paramCalls().outstandingCheckOuts());
    EXPECT_EQ(1, host->paramCalls().unmatchedCheckIns());

    // Bad indices and injected failures hand nothing out.
    auto bad = checkOuts({probe::kNumParams, -1}, false);
    EXPECT_EQ(PF_Err_INVALID_INDEX, host->send(PF_Cmd_FRAME_SETUP, nullptr, nullptr, &bad));
    EXPECT_EQ(PF_Err_INVALID_INDEX, bad.results[1]);
    host->paramCalls().failNthCheckOut(2, PF_Err_INTERNAL_STRUCT_DAMAGED);
    auto nth = checkOuts({1, 2, 3}, false);
    EXPECT_EQ(PF_Err_INTERNAL_STRUCT_DAMAGED, host->send(PF_Cmd_FRAME_SETUP, nullptr, nullptr, &nth));
    EXPECT_EQ(PF_Err_NONE, nth.results[0]);
    EXPECT_EQ(PF_Err_INTERNAL_STRUCT_DAMAGED, nth.results[1]);
    EXPECT_EQ(PF_Err_NONE, nth.results[2]);
    host->paramCalls().failCheckOutsOf(probe::kMode, PF_Err_OUT_OF_MEMORY);
    auto byIndex = checkOuts({probe::kMode, probe::kAmount, probe::kMode}, true);
    EXPECT_EQ(PF_Err_OUT_OF_MEMORY, host->send(PF_Cmd_FRAME_SETUP, nullptr, nullptr, &byIndex));
    EXPECT_EQ(PF_Err_OUT_OF_MEMORY, byIndex.results[2]);
    EXPECT_EQ(PF_Err_NONE, byIndex.results[1]);
    host->paramCalls().failCheckOutsOf(probe::kMode, PF_Err_NONE);
    auto again = checkOuts({probe::kMode}, true);
    EXPECT_EQ(PF_Err_NONE, host->send(PF_Cmd_FRAME_SETUP, nullptr, nullptr, &again));
    EXPECT_EQ(2, host->paramCalls().outstandingCheckOuts()) << "the two good ones of the Nth-call request";
}

TEST(EffectParams, UiStateEditedInTheArrayAndReportedToTheSuiteIsKept) {
    auto host = loadedHost();
    ASSERT_EQ(PF_Err_NONE, host->send(PF_Cmd_PARAMS_SETUP));
    const vmhost::ParamList& params = host->params();

    auto grey = toggles(kPFParamUtilsSuiteVersion3, {probe::kStrength, probe::kTint}, probe::kAmount);
    ASSERT_EQ(PF_Err_NONE, host->send(PF_Cmd_UPDATE_PARAMS_UI, host->paramsArray(), nullptr, &grey));
    EXPECT_TRUE(params.isDisabled(probe::kStrength)) << "edited in place in the params array";
    EXPECT_TRUE(params.isDisabled(probe::kTint));
    EXPECT_TRUE(params.isDisabled(probe::kAmount)) << "reported through a copy";
    EXPECT_FALSE(params.isDisabled(probe::kMode));
    auto log = host->paramUi().log();
    ASSERT_EQ(3u, log.size());
    EXPECT_EQ(probe::kStrength, log[0].index);
    EXPECT_EQ(probe::kAmount, log[2].index);
    EXPECT_EQ(PF_PUI_DISABLED, log[2].uiFlags);
    EXPECT_EQ(1, host->suites().requests(kPFParamUtilsSuite, kPFParamUtilsSuiteVersion3));
    EXPECT_EQ(0, host->suites().heldTotal());

    // From the Nth call on the suite answers the injected error.
    host->paramUi().clear();
    host->paramUi().answerFrom(2, PF_Err_OUT_OF_MEMORY);
    auto failing = toggles(kPFParamUtilsSuiteVersion3, {probe::kStrength, probe::kMode, probe::kEnable});
    EXPECT_EQ(PF_Err_OUT_OF_MEMORY, host->send(PF_Cmd_UPDATE_PARAMS_UI, host->paramsArray(), nullptr, &failing));
    EXPECT_EQ(PF_Err_NONE, failing.results[0]);
    EXPECT_EQ(PF_Err_OUT_OF_MEMORY, failing.results[1]);
    EXPECT_EQ(PF_Err_OUT_OF_MEMORY, failing.results[2]);
    EXPECT_EQ(3, host->paramUi().calls());
    EXPECT_EQ(0, host->paramUi().log()[0].uiFlags) << "the toggle re-enabled it";
    host->paramUi().answerFrom(0, PF_Err_NONE);

    // A withdrawn version is refused, and the request still shows.
    host->serveParamUtilsSuite(kPFParamUtilsSuiteVersion3, false);
    auto refused = toggles(kPFParamUtilsSuiteVersion3, {probe::kAmount});
    EXPECT_EQ(PF_Err_INVALID_CALLBACK, host->send(PF_Cmd_UPDATE_PARAMS_UI, host->paramsArray(), nullptr, &refused));
    EXPECT_EQ(kSPSuiteNotFoundError, refused.acquireError);
    EXPECT_EQ(3, host->suites().requests(kPFParamUtilsSuite, kPFParamUtilsSuiteVersion3));
    auto older = toggles(kPFParamUtilsSuiteVersion1, {probe::kAmount});
    EXPECT_EQ(PF_Err_NONE, host->send(PF_Cmd_UPDATE_PARAMS_UI, host->paramsArray(), nullptr, &older));
    EXPECT_EQ(1, host->suites().requests(kPFParamUtilsSuite, kPFParamUtilsSuiteVersion1));
    host->serveParamUtilsSuite(kPFParamUtilsSuiteVersion1, false);
    EXPECT_EQ(PF_Err_INVALID_CALLBACK, host->send(PF_Cmd_UPDATE_PARAMS_UI, host->paramsArray(), nullptr, &older));
    host->serveParamUtilsSuite(kPFParamUtilsSuiteVersion3, true);
    EXPECT_EQ(PF_Err_NONE, host->send(PF_Cmd_UPDATE_PARAMS_UI, host->paramsArray(), nullptr, &refused));

    // The input layer and indices beyond the list have no control to update.
    SuiteLease<PF_ParamUtilsSuite3> suite(*host, kPFParamUtilsSuite, kPFParamUtilsSuiteVersion3);
    ASSERT_TRUE(suite);
    const PF_ParamDef def = params.at(probe::kAmount);
    EXPECT_EQ(PF_Err_INVALID_INDEX, suite->PF_UpdateParamUI(host->inData().effect_ref, 0, &def));
    EXPECT_EQ(PF_Err_INVALID_INDEX, suite->PF_UpdateParamUI(host->inData().effect_ref, probe::kNumParams, &def));
    EXPECT_EQ(PF_Err_INVALID_CALLBACK, suite->PF_GetKeyframeCount(host->inData().effect_ref, 1, nullptr));
}

}  // namespace
