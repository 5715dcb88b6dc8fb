#include "host/InteractCallbacks.h"

#include "host/HostContext.h"
#include "host/ParamCallbacks.h"
#include "host/UnimplementedCallback.h"

namespace vmhost {

namespace {

PF_Err progressCallback(PF_ProgPtr effectRef, A_long current, A_long total) {
    HostContext* host = HostContext::fromRef(effectRef);
    if (!host) return PF_Err_BAD_CALLBACK_PARAM;
    if (host->failurePoints().fails(FailurePoint::Progress)) return failureAnswer(FailurePoint::Progress);
    return host->interaction().progress(current, total, host->pool().indexOfCurrentThread());
}

PF_Err abortCallback(PF_ProgPtr effectRef) {
    HostContext* host = HostContext::fromRef(effectRef);
    if (!host) return PF_Err_BAD_CALLBACK_PARAM;
    if (host->failurePoints().fails(FailurePoint::Abort)) return failureAnswer(FailurePoint::Abort);
    return host->interaction().abort(host->pool().indexOfCurrentThread());
}

}  // namespace

PF_InteractCallbacks makeInteractCallbacks() {
    PF_InteractCallbacks inter{};
    inter.checkout_param = paramcb::checkoutParam;
    inter.checkin_param = paramcb::checkinParam;
    inter.add_param = paramcb::addParam;
    inter.abort = abortCallback;
    inter.progress = progressCallback;
    stubOut(inter.register_ui);
    stubOut(inter.checkout_layer_audio);
    stubOut(inter.checkin_layer_audio);
    stubOut(inter.get_audio_data);
    return inter;
}

}  // namespace vmhost
