// Sequence data a test plants before re-setup, and failed flattening, through the probe
// effect. Who owns each handle after the sequence commands is held by the effect's own
// sequence command tests and the failure-point sweep.

#include <gtest/gtest.h>

#include <cstring>

#include "ProbeHost.h"

namespace {

using probe::loadedHost;
using vmhost::HandleBytes;

HandleBytes record(const char* tag, A_u_long value) {
    probe::SequenceRecord r;
    std::memcpy(r.tag, tag, sizeof r.tag);
    r.value = value;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&r);
    return HandleBytes(bytes, bytes + sizeof r);
}

HandleBytes inMemory(A_u_long value) { return record("mem", value); }
HandleBytes flat(A_u_long value) { return record("flat", value); }

TEST(SequenceData, PlantedDataReachesResetupAndFailuresHandNothingOver) {
    auto host = loadedHost();
    vmhost::HandleStore& handles = host->handles();

    // Arbitrary bytes: the probe records the size it saw.
    host->setSequenceData(HandleBytes{1, 2, 3});
    EXPECT_EQ((HandleBytes{1, 2, 3}), host->sequenceData());
    ASSERT_EQ(PF_Err_NONE, host->send(PF_Cmd_SEQUENCE_RESETUP));
    EXPECT_EQ(inMemory(3), host->sequenceData());
    EXPECT_EQ(1, handles.outstanding());

    // Planting replaces (and disposes of) what the instance had.
    host->setSequenceData(flat(42));
    EXPECT_EQ(1, handles.outstanding());
    ASSERT_EQ(PF_Err_NONE, host->send(PF_Cmd_SEQUENCE_RESETUP));
    EXPECT_EQ(inMemory(42), host->sequenceData());

    host->setSequenceData(HandleBytes{});
    ASSERT_EQ(PF_Err_NONE, host->send(PF_Cmd_SEQUENCE_RESETUP));
    EXPECT_EQ(inMemory(0), host->sequenceData()) << "an empty handle is still a handle";

    host->setSequenceData(std::nullopt);
    EXPECT_EQ(0, handles.outstanding());
    ASSERT_EQ(PF_Err_NONE, host->send(PF_Cmd_SEQUENCE_RESETUP));
    EXPECT_EQ(inMemory(probe::kSequenceSeed), host->sequenceData());

    // Failed flattening leaves the instance its data and hands no copy over.
    ASSERT_EQ(PF_Err_NONE, host->send(PF_Cmd_GET_FLATTENED_SEQUENCE_DATA));
    ASSERT_TRUE(host->lastFlatSequenceData());
    handles.failNthAllocation(1);
    EXPECT_EQ(PF_Err_OUT_OF_MEMORY, host->send(PF_Cmd_GET_FLATTENED_SEQUENCE_DATA));
    EXPECT_FALSE(host->lastFlatSequenceData());
    handles.failNthAllocation(1);
    EXPECT_EQ(PF_Err_OUT_OF_MEMORY, host->send(PF_Cmd_SEQUENCE_FLATTEN));
    EXPECT_EQ(inMemory(probe::kSequenceSeed), host->sequenceData());

    ASSERT_EQ(PF_Err_NONE, host->send(PF_Cmd_SEQUENCE_SETDOWN));
    EXPECT_EQ(0, handles.outstanding());
    EXPECT_EQ(0, handles.misuses());
}

}  // namespace
