#include "host/UtilCallbacks.h"

#include "host/AnsiCallbacks.h"
#include "host/ColorCallbacks.h"
#include "host/GenericIteration.h"
#include "host/HandleCallbacks.h"
#include "host/HostContext.h"
#include "host/PlatformDataCallback.h"
#include "host/ThreadBinding.h"
#include "host/UnimplementedCallback.h"

namespace vmhost {

namespace {

// No host reference in the signature: the calling thread's host runs it.
PF_Err iterateGenericCallback(A_long iterations, void* refcon, PF_IterateGenericFunc worker) {
    HostContext* host = ThreadBinding::current();
    if (!host) return PF_Err_INVALID_CALLBACK;
    if (host->failurePoints().fails(FailurePoint::IterateGeneric)) return failureAnswer(FailurePoint::IterateGeneric);
    return iterateGeneric(host->pool(), iterations, refcon, worker, PF_Err_BAD_CALLBACK_PARAM);
}

}  // namespace

PF_UtilCallbacks makeUtilCallbacks() {
    PF_UtilCallbacks utils{};
    stubOut(utils.begin_sampling);
    stubOut(utils.subpixel_sample);
    stubOut(utils.area_sample);
    // Not a callback any more, but never null either.
    utils.get_batch_func_is_deprecated = reinterpret_cast<void*>(&Unimplemented<PF_Err (*)()>::call);
    stubOut(utils.end_sampling);
    stubOut(utils.composite_rect);
    stubOut(utils.blend);
    stubOut(utils.convolve);
    stubOut(utils.copy);
    stubOut(utils.fill);
    stubOut(utils.gaussian_kernel);
    stubOut(utils.iterate);
    stubOut(utils.premultiply);
    stubOut(utils.premultiply_color);
    stubOut(utils.new_world);
    stubOut(utils.dispose_world);
    stubOut(utils.iterate_origin);
    stubOut(utils.iterate_lut);
    stubOut(utils.transfer_rect);
    stubOut(utils.transform_world);
    utils.host_new_handle = handlecb::newHandle;
    utils.host_lock_handle = handlecb::lockHandle;
    utils.host_unlock_handle = handlecb::unlockHandle;
    utils.host_dispose_handle = handlecb::disposeHandle;
    stubOut(utils.get_callback_addr);
    stubOut(utils.app);
    utils.ansi = makeAnsiCallbacks();
    utils.colorCB = makeColorCallbacks();
    utils.get_platform_data = getPlatformData;
    utils.host_get_handle_size = handlecb::handleSize;
    stubOut(utils.iterate_origin_non_clip_src);
    utils.iterate_generic = iterateGenericCallback;
    utils.host_resize_handle = handlecb::resizeHandle;
    stubOut(utils.subpixel_sample16);
    stubOut(utils.area_sample16);
    stubOut(utils.fill16);
    stubOut(utils.premultiply_color16);
    stubOut(utils.iterate16);
    stubOut(utils.iterate_origin16);
    stubOut(utils.iterate_origin_non_clip_src16);
    stubOut(utils.get_pixel_data8);
    stubOut(utils.get_pixel_data16);
    return utils;
}

}  // namespace vmhost
