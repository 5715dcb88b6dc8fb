// Each effect instance's record through the host's sequence commands: creation, saving,
// loading, duplicating and removal.
#include "tests/support/EffectHostFixture.h"

#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes kFreshFlat = {0x71, 0x65, 0x73, 0x70, 1, 0, 0, 0, 1, 0, 0, 0, 0x18, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
const Bytes kFreshInMemory = {0x71, 0x65, 0x73, 0x70, 0, 0, 0, 0, 0x18, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

class SequenceCommandsTest : public EffectHostTest {
protected:
    void SetUp() override {
        EffectHostTest::SetUp();
        ASSERT_EQ(PF_Err_NONE, host().send(PF_Cmd_GLOBAL_SETUP));
    }
    Bytes current() { return host().sequenceData().value_or(Bytes{}); }
};

TEST_F(SequenceCommandsTest, RecordSurvivesSaveLoadAndCopy) {
    ASSERT_EQ(PF_Err_NONE, host().send(PF_Cmd_SEQUENCE_SETUP));
    EXPECT_EQ(kFreshInMemory, current());

    ASSERT_EQ(PF_Err_NONE, host().send(PF_Cmd_GET_FLATTENED_SEQUENCE_DATA));
    EXPECT_EQ(kFreshFlat, host().lastFlatSequenceData().value_or(Bytes{}));
    EXPECT_EQ(kFreshInMemory, current()) << "a flat copy leaves the record in use";

    ASSERT_EQ(PF_Err_NONE, host().send(PF_Cmd_SEQUENCE_FLATTEN));
    EXPECT_EQ(kFreshFlat, current());

    ASSERT_EQ(PF_Err_NONE, host().send(PF_Cmd_SEQUENCE_RESETUP));
    EXPECT_EQ(kFreshInMemory, current());

    ASSERT_EQ(PF_Err_NONE, host().send(PF_Cmd_SEQUENCE_SETDOWN));
    EXPECT_FALSE(host().sequenceData().has_value());
    EXPECT_EQ(0, host().handles().outstanding());
    EXPECT_EQ(0, host().handles().misuses());
    expectNothingHeld();
}

TEST_F(SequenceCommandsTest, SavedSparesComeBackAndLongDataIsCut) {
    Bytes flat = kFreshFlat;
    for (int i = 16; i < 24; ++i) flat[i] = static_cast<std::uint8_t>(i);
    flat.insert(flat.end(), {0xEE, 0xEE, 0xEE, 0xEE});
    host().setSequenceData(flat);
    ASSERT_EQ(PF_Err_NONE, host().send(PF_Cmd_SEQUENCE_RESETUP));
    Bytes expected = kFreshInMemory;
    for (int i = 16; i < 24; ++i) expected[i] = static_cast<std::uint8_t>(i);
    EXPECT_EQ(expected, current());
    ASSERT_EQ(PF_Err_NONE, host().send(PF_Cmd_SEQUENCE_SETDOWN));
    EXPECT_EQ(0, host().handles().outstanding());
}

TEST_F(SequenceCommandsTest, DataThatIsNotOursGivesAFreshRecord) {
    Bytes wrongVersion = kFreshFlat;
    wrongVersion[8] = 2;
    wrongVersion[16] = 0x77;
    Bytes notOurs = kFreshFlat;
    notOurs[0] = 'x';
    const std::vector<std::optional<Bytes>> cases = {
        std::nullopt, Bytes(kFreshFlat.begin(), kFreshFlat.begin() + 20), notOurs, kFreshInMemory, wrongVersion};
    for (std::size_t i = 0; i < cases.size(); ++i) {
        host().setSequenceData(cases[i]);
        EXPECT_EQ(PF_Err_NONE, host().send(PF_Cmd_SEQUENCE_RESETUP)) << i;
        EXPECT_EQ(kFreshInMemory, current()) << i;
    }
    ASSERT_EQ(PF_Err_NONE, host().send(PF_Cmd_SEQUENCE_SETDOWN));
    EXPECT_EQ(0, host().handles().outstanding());
}

TEST_F(SequenceCommandsTest, HostFailuresAreReportedAndLeaveTheRecordAlone) {
    host().handles().failNthAllocation(1);
    EXPECT_EQ(PF_Err_OUT_OF_MEMORY, host().send(PF_Cmd_SEQUENCE_SETUP));

    ASSERT_EQ(PF_Err_NONE, host().send(PF_Cmd_SEQUENCE_SETUP));
    host().handles().failNthAllocation(1);
    EXPECT_EQ(PF_Err_OUT_OF_MEMORY, host().send(PF_Cmd_SEQUENCE_FLATTEN));
    EXPECT_EQ(kFreshInMemory, current()) << "the record stays in use";
    EXPECT_EQ(0, host().handles().locked());

    host().setSequenceData(std::nullopt);
    EXPECT_EQ(PF_Err_INTERNAL_STRUCT_DAMAGED, host().send(PF_Cmd_SEQUENCE_FLATTEN));
    EXPECT_EQ(PF_Err_INTERNAL_STRUCT_DAMAGED, host().send(PF_Cmd_GET_FLATTENED_SEQUENCE_DATA));
    EXPECT_EQ(0, host().handles().outstanding());
}

}  // namespace
