// Effect worlds through fake world suites: which suite makes a world, who owns it, and
// how failures come back.
#include "AEUtil/AEException.h"
#include "AEUtil/AEWorldSuite.h"
#include "tests/effect/FakeBasicSuite.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// The suites' functions have no context, so the fixture keeps the record in static members.
class WorldSuiteTest : public ::testing::Test {
protected:
    struct NewCall {
        int version;
        PF_ProgPtr effectRef;
        A_long width, height, flagsOrClear;  // version 1 takes flags, version 2 a clear flag
        PF_PixelFormat format;
    };

    WorldSuiteTest() {
        newCalls.clear();
        disposals.clear();
        copies.clear();
        answer = PF_Err_NONE;
        std::memset(&inData, 0, sizeof inData);
        inData.pica_basicP = host.basic();
        inData.effect_ref = reinterpret_cast<PF_ProgPtr>(&newCalls);
    }

    static PF_Err make(PF_EffectWorld* world, A_long width, A_long height) {
        if (answer != PF_Err_NONE) return answer;
        world->width = width;
        world->height = height;
        world->data = reinterpret_cast<PF_PixelPtr>(new char[static_cast<std::size_t>(width * height * 16)]);
        return PF_Err_NONE;
    }
    static PF_Err newWorld1(PF_ProgPtr ref, A_long width, A_long height, PF_NewWorldFlags flags, PF_EffectWorld* w) {
        newCalls.push_back({1, ref, width, height, flags, 0});
        return make(w, width, height);
    }
    static PF_Err newWorld2(PF_ProgPtr ref, A_long width, A_long height, PF_Boolean clear, PF_PixelFormat format,
                            PF_EffectWorld* w) {
        newCalls.push_back({2, ref, width, height, clear, format});
        return make(w, width, height);
    }
    static PF_Err dispose(PF_ProgPtr ref, PF_EffectWorld* world) {
        disposals.push_back(ref);
        delete[] reinterpret_cast<char*>(world->data);
        return PF_Err_NONE;
    }
    static PF_Err pixelFormat(const PF_EffectWorld*, PF_PixelFormat* format) {
        *format = PF_PixelFormat_ARGB128;
        return PF_Err_NONE;
    }
    static PF_Err copy(PF_ProgPtr, PF_EffectWorld*, PF_EffectWorld*, PF_Rect* from, PF_Rect* to) {
        copies.push_back(from == nullptr && to == nullptr ? "copy" : "copy with rectangles");
        return 7;
    }
    static PF_Err copyHq(PF_ProgPtr, PF_EffectWorld*, PF_EffectWorld*, PF_Rect* from, PF_Rect* to) {
        copies.push_back(from == nullptr && to == nullptr ? "copy_hq" : "copy_hq with rectangles");
        return 8;
    }

    static inline std::vector<NewCall> newCalls;
    static inline std::vector<PF_ProgPtr> disposals;
    static inline std::vector<std::string> copies;
    static inline PF_Err answer = PF_Err_NONE;

    FakeBasicSuite host;
    PF_WorldSuite1 version1{newWorld1, dispose};
    PF_WorldSuite2 version2{newWorld2, dispose, pixelFormat};
    PF_InData inData;
};

TEST_F(WorldSuiteTest, NewWorldsComeFromVersion2OrElseVersion1) {
    host.serve(kPFWorldSuite, 1, &version1);
    host.serve(kPFWorldSuite, 2, &version2);
    {
        const AEUtil::EffectWorldPtr world = AEUtil::WorldSuite::newWorld(&inData, 7, 5, 1, PF_PixelFormat_ARGB128);
        ASSERT_TRUE(world && world->data != nullptr && world->width == 7);
        ASSERT_EQ(1u, newCalls.size());
        EXPECT_EQ(2, newCalls[0].version);
        EXPECT_EQ(inData.effect_ref, newCalls[0].effectRef);
        EXPECT_EQ(1, newCalls[0].flagsOrClear);
        EXPECT_EQ(PF_PixelFormat_ARGB128, newCalls[0].format);
        EXPECT_EQ(0, host.held()) << "suites are held only during the call";
    }
    EXPECT_EQ(std::vector<PF_ProgPtr>{inData.effect_ref}, disposals);

    FakeBasicSuite onlyVersion1;
    onlyVersion1.serve(kPFWorldSuite, 1, &version1);
    inData.pica_basicP = onlyVersion1.basic();
    newCalls.clear();
    AEUtil::WorldSuite::newWorld(&inData, 4, 4, 1, PF_PixelFormat_ARGB64);
    AEUtil::WorldSuite::newWorld(&inData, 4, 4, 0, PF_PixelFormat_ARGB32);
    ASSERT_EQ(2u, newCalls.size());
    EXPECT_EQ(1, newCalls[0].version);
    EXPECT_EQ(PF_NewWorldFlag_DEEP_PIXELS | PF_NewWorldFlag_CLEAR_PIXELS, newCalls[0].flagsOrClear);
    EXPECT_EQ(PF_NewWorldFlag_NONE, newCalls[1].flagsOrClear);
    EXPECT_EQ(3u, disposals.size());

    // Version 1 cannot make float worlds, and a host may fail: exceptions with the code,
    // and nothing handed back that the host did not make.
    for (const PF_Err failure : {PF_Err_NONE, PF_Err_OUT_OF_MEMORY}) {
        answer = failure;
        try {
            AEUtil::WorldSuite::newWorld(&inData, 4, 4, 0, failure ? PF_PixelFormat_ARGB32 : PF_PixelFormat_ARGB128);
            ADD_FAILURE() << "no exception";
        } catch (const AEUtil::AEException& e) {
            EXPECT_EQ(failure ? failure : PF_Err_BAD_CALLBACK_PARAM, e.code);
            EXPECT_EQ(0u, std::string(e.what()).rfind("AEUtil/AEWorldSuite(151): ", 0)) << e.what();
        }
    }
    EXPECT_EQ(3u, newCalls.size()) << "no float world asked of version 1";
    EXPECT_EQ(3u, disposals.size());
    EXPECT_EQ(0, onlyVersion1.held());
}

TEST_F(WorldSuiteTest, PixelFormatAndCopy) {
    PF_EffectWorld world{};
    PF_PixelFormat format = 0;
    world.world_flags = PF_WorldFlag_DEEP;
    EXPECT_EQ(PF_Err_NONE, AEUtil::getPixelFormat(&inData, &world, &format));
    EXPECT_EQ(PF_PixelFormat_ARGB64, format);
    world.world_flags = PF_WorldFlag_WRITEABLE;
    EXPECT_EQ(PF_Err_NONE, AEUtil::getPixelFormat(&inData, &world, &format));
    EXPECT_EQ(PF_PixelFormat_ARGB32, format);
    host.serve(kPFWorldSuite, 2, &version2);
    EXPECT_EQ(PF_Err_NONE, AEUtil::getPixelFormat(&inData, &world, &format));
    EXPECT_EQ(PF_PixelFormat_ARGB128, format);

    EXPECT_THROW(AEUtil::copyWorld(&inData, &world, &world), int) << "no transform suite";
    PF_WorldTransformSuite1 transform{};
    transform.copy = copy;
    transform.copy_hq = copyHq;
    host.serve(kPFWorldTransformSuite, 1, &transform);
    inData.quality = PF_Quality_LO;
    EXPECT_EQ(7, AEUtil::copyWorld(&inData, &world, &world));
    inData.quality = PF_Quality_HI;
    EXPECT_EQ(8, AEUtil::copyWorld(&inData, &world, &world));
    EXPECT_EQ((std::vector<std::string>{"copy", "copy_hq"}), copies);
    EXPECT_EQ(0, host.held());
    inData.pica_basicP = nullptr;
    EXPECT_THROW(AEUtil::copyWorld(&inData, &world, &world), int);
}

}  // namespace
