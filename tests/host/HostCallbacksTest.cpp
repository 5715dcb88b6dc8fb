// What in_data carries, and that no callback slot is left null.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "SuiteLease.h"
#include "host/Host.h"

namespace {

// Counts the null pointer-sized slots of a callback table below `end`,
// leaving out the data members given by offset.
template <class Table>
int nullSlots(const Table& table, std::initializer_list<std::size_t> dataOffsets, std::size_t end = sizeof(Table)) {
    int nulls = 0;
    for (std::size_t offset = 0; offset + sizeof(void*) <= end; offset += sizeof(void*)) {
        bool isData = false;
        for (std::size_t d : dataOffsets) isData = isData || d == offset;
        void* slot;
        std::memcpy(&slot, reinterpret_cast<const char*>(&table) + offset, sizeof slot);
        if (!isData && !slot) ++nulls;
    }
    return nulls;
}

// The host's name, version and suites in in_data are what every effect test runs on, and the
// effect's refusals of other hosts (EntryPointTest) check that the configuration reaches it.
TEST(HostCallbacks, InDataDescribesTheConfiguredHost) {
    vmhost::HostConfig config = vmhost::HostConfig::checking();
    int window = 0;
    config.mainWindow = &window;
    vmhost::Host host(config);
    const PF_InData& in = host.inData();
    EXPECT_EQ(1, in.downsample_x.num);
    EXPECT_EQ(1u, in.downsample_x.den);
    EXPECT_EQ(1, in.downsample_y.num);
    EXPECT_EQ(1u, in.downsample_y.den);
    EXPECT_GT(in.time_scale, 0u);
    EXPECT_EQ(in.width, in.extent_hint.right - in.extent_hint.left);
    EXPECT_EQ(in.height, in.extent_hint.bottom - in.extent_hint.top);
    EXPECT_GE(host.workerThreads(), 2);

    void* answer = nullptr;
    auto* platformData = host.utils()->get_platform_data;
    ASSERT_EQ(PF_Err_NONE, platformData(in.effect_ref, PF_PlatData_MAIN_WND, &answer));
    EXPECT_EQ(&window, answer);
    int moduleToken = 0;
    host.useEntryPoint(nullptr, &moduleToken);
    ASSERT_EQ(PF_Err_NONE, platformData(in.effect_ref, PF_PlatData_RES_DLLINSTANCE, &answer));
    EXPECT_EQ(&moduleToken, answer);
    A_UTF16Char exePath[260] = {};
    ASSERT_EQ(PF_Err_NONE, platformData(in.effect_ref, PF_PlatData_EXE_FILE_PATH_W, exePath));
    EXPECT_NE(0, exePath[0]);
    EXPECT_EQ(PF_Err_BAD_CALLBACK_PARAM, platformData(in.effect_ref, PF_PlatData_BUNDLE_REF, &answer));
}

TEST(HostCallbacks, EveryUnservedSlotAnswersAnError) {
    vmhost::Host host{vmhost::HostConfig::checking()};
    PF_UtilCallbacks* utils = host.utils();
    EXPECT_EQ(0, nullSlots(*utils, {offsetof(PF_UtilCallbacks, ansi) + offsetof(PF_ANSICallbacks, ansi_procs),
                                    offsetof(PF_UtilCallbacks, reserved)}));
    EXPECT_EQ(0, nullSlots(host.inData().inter, {}, offsetof(PF_InteractCallbacks, reserved_str)));
    SuiteLease<PFAppSuite5> appSuite(host, kPFAppSuite, kPFAppSuiteVersion5);
    SuiteLease<PF_ParamUtilsSuite1> paramUtils1(host, kPFParamUtilsSuite, kPFParamUtilsSuiteVersion1);
    SuiteLease<PF_ParamUtilsSuite3> paramUtils3(host, kPFParamUtilsSuite, kPFParamUtilsSuiteVersion3);
    ASSERT_TRUE(appSuite && paramUtils1 && paramUtils3);
    EXPECT_EQ(0, nullSlots(*appSuite, {}));
    EXPECT_EQ(0, nullSlots(*host.basicSuite(), {}));
    EXPECT_EQ(0, nullSlots(*paramUtils1, {}));
    EXPECT_EQ(0, nullSlots(*paramUtils3, {}));

    EXPECT_EQ(PF_Err_INVALID_CALLBACK, utils->new_world(host.inData().effect_ref, 4, 4, 0, nullptr));
    EXPECT_EQ(PF_Err_INVALID_CALLBACK, utils->app(host.inData().effect_ref, 1, 2.5, "variadic"));
    EXPECT_EQ(PF_Err_INVALID_CALLBACK, appSuite->PF_AppGetBgColor(nullptr));
    EXPECT_EQ(PF_Err_INVALID_CALLBACK, host.inData().inter.register_ui(host.inData().effect_ref, nullptr));
    EXPECT_EQ(kSPUnimplementedError, host.basicSuite()->Undefined());
}

TEST(HostCallbacks, ProgressAndAbortAreLoggedAndAnsweredAsConfigured) {
    vmhost::HostConfig config = vmhost::HostConfig::checking();
    config.workerThreads = 2;
    vmhost::Host host(config);
    const PF_InData& in = host.inData();
    host.interaction().answerProgressFrom(3);
    EXPECT_EQ(PF_Err_NONE, in.inter.progress(in.effect_ref, 1, 4));
    EXPECT_EQ(PF_Err_NONE, in.inter.progress(in.effect_ref, 2, 4));
    EXPECT_EQ(PF_Interrupt_CANCEL, in.inter.progress(in.effect_ref, 3, 4));
    EXPECT_EQ(PF_Interrupt_CANCEL, in.inter.progress(in.effect_ref, 4, 4)) << "cancel stays on";
    ASSERT_EQ(4, host.interaction().progressCalls());
    EXPECT_EQ(3, host.interaction().progressLog()[2].current);
    EXPECT_EQ(4, host.interaction().progressLog()[2].total);

    EXPECT_EQ(PF_Err_NONE, in.inter.abort(in.effect_ref));
    host.interaction().answerAbortFrom(1, PF_Err_OUT_OF_MEMORY);
    EXPECT_EQ(PF_Err_OUT_OF_MEMORY, in.inter.abort(in.effect_ref));
    EXPECT_EQ(2, host.interaction().abortCalls());
    EXPECT_EQ(PF_Err_BAD_CALLBACK_PARAM, in.inter.progress(nullptr, 1, 1));

    // Reports from a worker other than thread 0 are a fault of the effect.
    host.interaction().answerProgressFrom(0);
    struct Refcon {
        const PF_InData* in;
    } refcon{&in};
    auto reportFromEveryWorker = [](void* r, A_long, A_long, A_long) -> PF_Err {
        const PF_InData* d = static_cast<Refcon*>(r)->in;
        return d->inter.progress(d->effect_ref, 0, 1);
    };
    EXPECT_EQ(PF_Err_NONE, host.utils()->iterate_generic(PF_Iterations_ONCE_PER_PROCESSOR, &refcon,
                                                        reportFromEveryWorker));
    EXPECT_EQ(1, host.interaction().callsFromOtherWorkers());
}

}  // namespace
