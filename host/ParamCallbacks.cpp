#include "host/ParamCallbacks.h"

#include "host/HostContext.h"

namespace vmhost::paramcb {

PF_Err addParam(PF_ProgPtr effectRef, PF_ParamIndex index, PF_ParamDefPtr def) {
    HostContext* host = HostContext::fromRef(effectRef);
    if (!host) return PF_Err_BAD_CALLBACK_PARAM;
    if (host->failurePoints().fails(FailurePoint::ParamAdd)) return PF_Err_OUT_OF_MEMORY;
    if (const PF_Err injected = host->paramCalls().countAdd()) return injected;
    ParamList& params = host->params();
    if (!def || !params.inSetup()) return PF_Err_BAD_CALLBACK_PARAM;
    if (index != -1 && index != params.count()) return PF_Err_INVALID_INDEX;
    params.append(*def);
    return PF_Err_NONE;
}

PF_Err checkoutParam(PF_ProgPtr effectRef, PF_ParamIndex index, A_long whatTime, A_long timeStep,
                     A_u_long timeScale, PF_ParamDef* def) {
    HostContext* host = HostContext::fromRef(effectRef);
    if (!host || !def) return PF_Err_BAD_CALLBACK_PARAM;
    if (host->failurePoints().fails(FailurePoint::ParamCheckOut)) return failureAnswer(FailurePoint::ParamCheckOut);
    if (const PF_Err injected = host->paramCalls().countCheckOut(index, {whatTime, timeStep, timeScale}))
        return injected;
    const ParamList& params = host->params();
    if (!params.has(index)) return PF_Err_INVALID_INDEX;
    // Values do not vary over time here: every time gets the current definition.
    *def = params.at(index);
    host->paramCalls().checkedOut();
    return PF_Err_NONE;
}

PF_Err checkinParam(PF_ProgPtr effectRef, PF_ParamDef* def) {
    HostContext* host = HostContext::fromRef(effectRef);
    if (!host || !def) return PF_Err_BAD_CALLBACK_PARAM;
    host->paramCalls().checkedIn();
    return PF_Err_NONE;
}

PF_Err updateParamUI(PF_ProgPtr effectRef, PF_ParamIndex index, const PF_ParamDef* def) {
    HostContext* host = HostContext::fromRef(effectRef);
    if (!host) return PF_Err_BAD_CALLBACK_PARAM;
    if (host->failurePoints().fails(FailurePoint::ParamUiUpdate)) return failureAnswer(FailurePoint::ParamUiUpdate);
    if (const PF_Err injected = host->paramUi().record(index, def ? def->ui_flags : 0)) return injected;
    if (!def) return PF_Err_BAD_CALLBACK_PARAM;
    ParamList& params = host->params();
    // The input layer has no control of the effect's to update.
    if (index < 1 || !params.has(index)) return PF_Err_INVALID_INDEX;
    params.at(index).ui_flags = def->ui_flags;
    return PF_Err_NONE;
}

}  // namespace vmhost::paramcb
