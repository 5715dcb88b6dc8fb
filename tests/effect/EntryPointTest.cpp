// The effect module as the host sees it: who it answers, what it reports, and how it
// survives the host's command sequences.
#include "tests/support/EffectHostFixture.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr A_long kPremiereApplId = 0x50724d72;  // 'PrMr'

std::vector<unsigned char> bytesOf(const PF_OutData& out) {
    const auto* raw = reinterpret_cast<const unsigned char*>(&out);
    return std::vector<unsigned char>(raw, raw + sizeof out);
}

class EntryPointTest : public EffectHostTest {};

TEST_F(EntryPointTest, OtherHostsAreRefusedWithoutTouchingOutData) {
    vmhost::HostConfig premiere = vmhost::HostConfig::checking();
    premiere.applicationId = kPremiereApplId;
    start(premiere);
    for (PF_Cmd cmd : {PF_Cmd_ABOUT, PF_Cmd_GLOBAL_SETUP, PF_Cmd_PARAMS_SETUP}) {
        host().fillOutData(0xCD);
        const std::vector<unsigned char> before = bytesOf(host().outData());
        EXPECT_EQ(PF_Err_BAD_CALLBACK_PARAM, host().sendAsPrepared(cmd)) << cmd;
        EXPECT_EQ(before, bytesOf(host().outData())) << cmd;
    }
    EXPECT_EQ(0, host().suites().acquisitions());
}

TEST_F(EntryPointTest, MissingBasicSuiteIsRefused) {
    vmhost::HostConfig noBasic = vmhost::HostConfig::checking();
    noBasic.provideBasicSuite = false;
    start(noBasic);
    EXPECT_EQ(PF_Err_BAD_CALLBACK_PARAM, host().send(PF_Cmd_GLOBAL_SETUP));
}

TEST_F(EntryPointTest, GlobalSetupReportsVersionAndCapabilities) {
    ASSERT_EQ(PF_Err_NONE, host().send(PF_Cmd_GLOBAL_SETUP));
    EXPECT_EQ(560648, host().outData().my_version);
    EXPECT_EQ(0x06000470, host().outData().out_flags);
    EXPECT_EQ(0x08801499, host().outData().out_flags2);
    expectNothingHeld();
}

TEST_F(EntryPointTest, AboutShowsNameVersionAndNotice) {
    ASSERT_EQ(PF_Err_NONE, host().send(PF_Cmd_GLOBAL_SETUP));
    ASSERT_EQ(PF_Err_NONE, host().send(PF_Cmd_ABOUT));
    const std::string about = host().returnMessage();
    const std::string firstLine = about.substr(0, about.find("\r\r"));
#if defined(_WIN32)
    // Under Wine nobody holds Shift; the build number may only follow when it is held.
    EXPECT_EQ("Velumixer 1.1.1 Release", firstLine);
#else
    EXPECT_EQ("Velumixer 1.1.1 Release", firstLine);
    setenv("VELUMIXER_SHIFT_DOWN", "1", 1);
    ASSERT_EQ(PF_Err_NONE, host().send(PF_Cmd_ABOUT));
    unsetenv("VELUMIXER_SHIFT_DOWN");
    EXPECT_EQ(0u, host().returnMessage().find("Velumixer 1.1.1 Release build:8\r\r"));
#endif
    ASSERT_NE(std::string::npos, about.find("\r\r"));
    EXPECT_GT(about.size(), firstLine.size() + 2) << "the notice follows the blank line";
    expectNothingHeld();
}

TEST_F(EntryPointTest, CommandsWithoutAHandlerSucceedAndChangeNothing) {
    ASSERT_EQ(PF_Err_NONE, host().send(PF_Cmd_GLOBAL_SETUP));
    for (PF_Cmd cmd : std::initializer_list<PF_Cmd>{2, PF_Cmd_FRAME_SETUP, PF_Cmd_FRAME_SETDOWN, 29, 40}) {
        EXPECT_EQ(PF_Err_NONE, host().send(cmd)) << cmd;
    }
#if !defined(_WIN32)
    // Without a window system there is no dialog (the Windows dialog has tests of its own).
    EXPECT_EQ(PF_Err_NONE, host().send(PF_Cmd_DO_DIALOG));
#endif

    host().outData().out_flags = 0x1234;
    host().outData().out_flags2 = 0x5678;
    EXPECT_EQ(PF_Err_NONE, host().sendAsPrepared(PF_Cmd_QUERY_DYNAMIC_FLAGS));
    EXPECT_EQ(0x1234, host().outData().out_flags);
    EXPECT_EQ(0x5678, host().outData().out_flags2);
    expectNothingHeld();
}

TEST_F(EntryPointTest, CommandsBeforeSetupAndAfterSetdownFindAWorkingFilter) {
    // The first command may be any command.
    EXPECT_EQ(PF_Err_NONE, host().send(PF_Cmd_FRAME_SETUP));
    ASSERT_EQ(PF_Err_NONE, host().send(PF_Cmd_ABOUT));
    EXPECT_EQ(0u, host().returnMessage().find("Velumixer 1.1.1"));
    ASSERT_EQ(PF_Err_NONE, host().send(PF_Cmd_GLOBAL_SETUP));
    ASSERT_EQ(PF_Err_NONE, host().send(PF_Cmd_GLOBAL_SETDOWN));
    // The host may set the effect up again without unloading it.
    ASSERT_EQ(PF_Err_NONE, host().send(PF_Cmd_ABOUT));
    EXPECT_EQ(0u, host().returnMessage().find("Velumixer 1.1.1"));
    ASSERT_EQ(PF_Err_NONE, host().send(PF_Cmd_GLOBAL_SETUP));
    EXPECT_EQ(560648, host().outData().my_version);
    ASSERT_EQ(PF_Err_NONE, host().send(PF_Cmd_GLOBAL_SETDOWN));
    ASSERT_EQ(PF_Err_NONE, host().send(PF_Cmd_GLOBAL_SETDOWN));
    expectNothingHeld();
}

}  // namespace
