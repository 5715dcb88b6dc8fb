#include "tests/render/baseline/EdgeSmoothing.h"

#include "AEUtil/SuiteScope.h"
#include "tests/render/baseline/EdgeFlagBuilder.h"
#include "tests/render/baseline/EdgeFlagMap.h"
#include "tests/render/baseline/EdgeSmoothContext.h"
#include "tests/render/baseline/EdgeSmoothDepth.h"
#include "tests/render/baseline/EdgeSmoothingScan.h"

namespace baseline {

namespace {

template <class Pixel>
PF_Err smoothEdgesIn(const EdgeSmoothSettings& settings) {
    const PF_EffectWorld& source = *settings.source;
    PF_EffectWorld& destination = *settings.destination;
    if (source.width != destination.width || source.height != destination.height) return PF_Err_BAD_CALLBACK_PARAM;

    AEUtil::SuiteScope suites(settings.inData->pica_basicP);
    const auto* transform =
        suites.acquire<PF_WorldTransformSuite1>(kPFWorldTransformSuite, kPFWorldTransformSuiteVersion1);
    // Taken before the scratch world exists, so a missing suite cannot strand one.
    const auto* worlds = suites.acquire<PF_WorldSuite1>(kPFWorldSuite, kPFWorldSuiteVersion1);

    const PF_ProgPtr effectRef = settings.inData->effect_ref;
    // The host's copy never writes its source; its signature just lacks the const.
    const PF_Err copied =
        transform->copy(effectRef, const_cast<PF_EffectWorld*>(&source), &destination, nullptr, nullptr);
    if (settings.strength == 0 || copied != PF_Err_NONE) return copied;

    EdgeFlagMap flags;
    if (const PF_Err err = flags.create(*worlds, effectRef, source.width, source.height); err != PF_Err_NONE) {
        return err;
    }
    buildEdgeFlags<Pixel>(flags, source, EdgeSmoothDepth<Pixel>::threshold(settings.threshold));
    smoothFlaggedPixels(EdgeSmoothContext<Pixel>(flags, source, destination, settings.strength, settings.curve));
    return PF_Err_NONE;
}

}  // namespace

PF_Err smoothEdges(const EdgeSmoothSettings& settings) {
    if (settings.inData == nullptr || settings.source == nullptr || settings.destination == nullptr) {
        return PF_Err_BAD_CALLBACK_PARAM;
    }
    if (settings.variant != 0) return PF_Err_UNRECOGNIZED_PARAM_TYPE;
    switch (settings.pixelFormat) {
    case kPixelFormat8:
        return smoothEdgesIn<PF_Pixel8>(settings);
    case kPixelFormat16:
        return smoothEdgesIn<PF_Pixel16>(settings);
    case kPixelFormat32:
        return smoothEdgesIn<PF_PixelFloat>(settings);
    default:
        return PF_Err_UNRECOGNIZED_PARAM_TYPE;
    }
}

}  // namespace baseline
