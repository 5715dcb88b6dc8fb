#include "host/ParamUtilsSuite.h"

#include "host/ParamCallbacks.h"
#include "host/UnimplementedCallback.h"

namespace vmhost {

PF_ParamUtilsSuite1 makeParamUtilsSuite1() {
    PF_ParamUtilsSuite1 suite{};
    suite.PF_UpdateParamUI = paramcb::updateParamUI;
    stubOut(suite.PF_GetCurrentStateObsolete);
    stubOut(suite.PF_HasParamChangedObsolete);
    stubOut(suite.PF_HaveInputsChangedOverTimeSpanObsolete);
    stubOut(suite.PF_IsIdenticalCheckout);
    stubOut(suite.PF_FindKeyframeTime);
    stubOut(suite.PF_GetKeyframeCount);
    stubOut(suite.PF_CheckoutKeyframe);
    stubOut(suite.PF_CheckinKeyframe);
    stubOut(suite.PF_KeyIndexToTime);
    return suite;
}

PF_ParamUtilsSuite3 makeParamUtilsSuite3() {
    PF_ParamUtilsSuite3 suite{};
    suite.PF_UpdateParamUI = paramcb::updateParamUI;
    stubOut(suite.PF_GetCurrentState);
    stubOut(suite.PF_AreStatesIdentical);
    stubOut(suite.PF_IsIdenticalCheckout);
    stubOut(suite.PF_FindKeyframeTime);
    stubOut(suite.PF_GetKeyframeCount);
    stubOut(suite.PF_CheckoutKeyframe);
    stubOut(suite.PF_CheckinKeyframe);
    stubOut(suite.PF_KeyIndexToTime);
    return suite;
}

}  // namespace vmhost
