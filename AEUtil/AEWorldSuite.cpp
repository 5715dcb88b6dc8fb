#include "AEUtil/AEWorldSuite.h"

#include "AEUtil/AEException.h"
#include "AEUtil/SuiteHolder.h"
#include "AEUtil/SuiteScope.h"

#include <cstring>

namespace AEUtil {

struct EffectWorldBlockAccess {
    // A block with an all-zero world and one share, for the host to fill.
    static EffectWorldPtr makeEmpty(SPBasicSuite* basic, PF_ProgPtr effectRef) {
        auto* block = new EffectWorldPtr::Block{basic, effectRef, PF_EffectWorld{}, 1};
        std::memset(&block->world, 0, sizeof block->world);
        return EffectWorldPtr(block);
    }

    // Frees the block without asking the host to dispose of a world it did not make.
    static void abandon(EffectWorldPtr& world) {
        delete world.block_;
        world.block_ = nullptr;
        world.world_ = nullptr;
    }
};

namespace {

#define AEWORLDSUITE_SOURCE "AEUtil/AEWorldSuite"

constexpr PF_PixelFormat kFormat8 = PF_PixelFormat_ARGB32;
constexpr PF_PixelFormat kFormat16 = PF_PixelFormat_ARGB64;

PF_NewWorldFlags version1Flags(std::uint8_t clear, PF_PixelFormat pixelFormat) {
    PF_NewWorldFlags flags = PF_NewWorldFlag_NONE;
    if (pixelFormat == kFormat16) flags |= PF_NewWorldFlag_DEEP_PIXELS;
    if (clear != 0) flags |= PF_NewWorldFlag_CLEAR_PIXELS;
    return flags;
}

}  // namespace

namespace WorldSuite {

EffectWorldPtr newWorld(PF_InData* inData, std::int32_t width, std::int32_t height, std::uint8_t clear,
                        PF_PixelFormat pixelFormat) {
    SPBasicSuite* basic = inData->pica_basicP;
    EffectWorldPtr world = EffectWorldBlockAccess::makeEmpty(basic, inData->effect_ref);

    PF_Err err = PF_Err_NONE;
    {
        SuiteHolder version2(basic, kPFWorldSuite, kPFWorldSuiteVersion2);
        if (version2.suite() != nullptr) {
            err = version2.as<PF_WorldSuite2>()->PF_NewWorld(inData->effect_ref, width, height, clear, pixelFormat,
                                                             world.get());
        } else if (pixelFormat == kFormat8 || pixelFormat == kFormat16) {
            SuiteHolder version1(basic, kPFWorldSuite, kPFWorldSuiteVersion1);
            err = version1.suite() != nullptr
                      ? version1.as<PF_WorldSuite1>()->new_world(inData->effect_ref, width, height,
                                                                 version1Flags(clear, pixelFormat), world.get())
                      : PF_Err_BAD_CALLBACK_PARAM;
        } else {
            // Version 1 knows only 8 and 16 bits; a world without pixels must not look made.
            err = PF_Err_BAD_CALLBACK_PARAM;
        }
    }
    if (err != PF_Err_NONE) {
        EffectWorldBlockAccess::abandon(world);
        throw AEException(err, 151, AEWORLDSUITE_SOURCE, "%s", __PRETTY_FUNCTION__);
    }
    return world;
}

}  // namespace WorldSuite

PF_Err disposeWorld(SPBasicSuite* basic, PF_ProgPtr effectRef, PF_EffectWorld* world) {
    SuiteHolder version2(basic, kPFWorldSuite, kPFWorldSuiteVersion2);
    if (version2.suite() != nullptr) return version2.as<PF_WorldSuite2>()->PF_DisposeWorld(effectRef, world);
    SuiteHolder version1(basic, kPFWorldSuite, kPFWorldSuiteVersion1);
    if (version1.suite() != nullptr) return version1.as<PF_WorldSuite1>()->dispose_world(effectRef, world);
    return PF_Err_BAD_CALLBACK_PARAM;
}

PF_Err getPixelFormat(PF_InData* inData, const PF_EffectWorld* world, PF_PixelFormat* pixelFormat) {
    SuiteHolder version2(inData->pica_basicP, kPFWorldSuite, kPFWorldSuiteVersion2);
    if (version2.suite() != nullptr) return version2.as<PF_WorldSuite2>()->PF_GetPixelFormat(world, pixelFormat);
    *pixelFormat = (world->world_flags & PF_WorldFlag_DEEP) != 0 ? kFormat16 : kFormat8;
    return PF_Err_NONE;
}

PF_Err getSmartPixelFormat(PF_InData* inData, const PF_EffectWorld* world, PF_PixelFormat* pixelFormat) {
    SuiteHolder version2(inData->pica_basicP, kPFWorldSuite, kPFWorldSuiteVersion2);
    if (version2.suite() == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
    return version2.as<PF_WorldSuite2>()->PF_GetPixelFormat(world, pixelFormat);
}

PF_Err copyWorld(PF_InData* inData, PF_EffectWorld* source, PF_EffectWorld* destination) {
    SuiteScope scope(inData->pica_basicP);
    const auto* transform =
        scope.acquire<PF_WorldTransformSuite1>(kPFWorldTransformSuite, kPFWorldTransformSuiteVersion1);
    if (inData->quality == PF_Quality_HI) {
        return transform->copy_hq(inData->effect_ref, source, destination, nullptr, nullptr);
    }
    return transform->copy(inData->effect_ref, source, destination, nullptr, nullptr);
}

}  // namespace AEUtil
