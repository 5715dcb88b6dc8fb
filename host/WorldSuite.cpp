#include "host/WorldSuite.h"

#include "host/HostContext.h"
#include "host/ThreadBinding.h"

namespace vmhost {

namespace {

PF_Err newWorld1(PF_ProgPtr effectRef, A_long width, A_long height, PF_NewWorldFlags flags, PF_EffectWorld* world) {
    HostContext* host = HostContext::fromRef(effectRef);
    if (!host) return PF_Err_BAD_CALLBACK_PARAM;
    if (host->failurePoints().fails(FailurePoint::WorldCreation)) return PF_Err_OUT_OF_MEMORY;
    const PF_PixelFormat format = (flags & PF_NewWorldFlag_DEEP_PIXELS) ? PF_PixelFormat_ARGB64 : PF_PixelFormat_ARGB32;
    return host->worlds().create(width, height, format, (flags & PF_NewWorldFlag_CLEAR_PIXELS) != 0, world);
}

PF_Err newWorld2(PF_ProgPtr effectRef, A_long width, A_long height, PF_Boolean clear, PF_PixelFormat format,
                 PF_EffectWorld* world) {
    HostContext* host = HostContext::fromRef(effectRef);
    if (!host) return PF_Err_BAD_CALLBACK_PARAM;
    if (host->failurePoints().fails(FailurePoint::WorldCreation)) return PF_Err_OUT_OF_MEMORY;
    return host->worlds().create(width, height, format, clear != 0, world);
}

PF_Err disposeWorld(PF_ProgPtr effectRef, PF_EffectWorld* world) {
    HostContext* host = HostContext::fromRef(effectRef);
    if (!host) return PF_Err_BAD_CALLBACK_PARAM;
    return host->worlds().dispose(world);
}

// No effect_ref here: the calling thread's host answers.
PF_Err getPixelFormat(const PF_EffectWorld* world, PF_PixelFormat* format) {
    HostContext* host = ThreadBinding::current();
    if (!host || !world || !format) return PF_Err_BAD_CALLBACK_PARAM;
    const auto known = host->worlds().formatOf(*world);
    if (!known) return PF_Err_BAD_CALLBACK_PARAM;
    *format = *known;
    return PF_Err_NONE;
}

}  // namespace

PF_WorldSuite1 makeWorldSuite1() {
    PF_WorldSuite1 suite{};
    suite.new_world = newWorld1;
    suite.dispose_world = disposeWorld;
    return suite;
}

PF_WorldSuite2 makeWorldSuite2() {
    PF_WorldSuite2 suite{};
    suite.PF_NewWorld = newWorld2;
    suite.PF_DisposeWorld = disposeWorld;
    suite.PF_GetPixelFormat = getPixelFormat;
    return suite;
}

}  // namespace vmhost
