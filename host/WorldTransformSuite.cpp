#include "host/WorldTransformSuite.h"

#include "host/HostContext.h"
#include "host/PixelFormat.h"
#include "host/UnimplementedCallback.h"
#include "host/WorldCopy.h"

namespace vmhost {

namespace {

PF_Err copyBetweenWorlds(PF_ProgPtr effectRef, PF_EffectWorld* source, PF_EffectWorld* destination, PF_Rect* from,
                         PF_Rect* to, bool highQuality) {
    HostContext* host = HostContext::fromRef(effectRef);
    if (!host) return PF_Err_BAD_CALLBACK_PARAM;
    host->worldCopies().record(highQuality);
    if (host->failurePoints().fails(FailurePoint::WorldCopy)) return failureAnswer(FailurePoint::WorldCopy);
    if (!source || !destination) return PF_Err_BAD_CALLBACK_PARAM;
    // Both worlds must be the host's and of one format: this host does not convert depths.
    const auto sourceFormat = host->worlds().formatOf(*source);
    const auto destinationFormat = host->worlds().formatOf(*destination);
    if (!sourceFormat || sourceFormat != destinationFormat) return PF_Err_BAD_CALLBACK_PARAM;
    return copyWorldPixels(*source, *destination, bytesPerPixel(*sourceFormat), from, to);
}

PF_Err copy(PF_ProgPtr effectRef, PF_EffectWorld* source, PF_EffectWorld* destination, PF_Rect* from, PF_Rect* to) {
    return copyBetweenWorlds(effectRef, source, destination, from, to, false);
}

PF_Err copyHq(PF_ProgPtr effectRef, PF_EffectWorld* source, PF_EffectWorld* destination, PF_Rect* from,
              PF_Rect* to) {
    return copyBetweenWorlds(effectRef, source, destination, from, to, true);
}

}  // namespace

PF_WorldTransformSuite1 makeWorldTransformSuite() {
    PF_WorldTransformSuite1 suite{};
    stubOut(suite.composite_rect);
    stubOut(suite.blend);
    stubOut(suite.convolve);
    suite.copy = copy;
    suite.copy_hq = copyHq;
    stubOut(suite.transfer_rect);
    stubOut(suite.transform_world);
    return suite;
}

}  // namespace vmhost
