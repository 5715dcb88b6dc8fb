// The flat form of the per-instance record, as saved in projects.
#include "entry/SequenceData.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes flatOf(const SequenceData& record) {
    Bytes bytes;
    flattenSequenceData(record, bytes);
    return bytes;
}

TEST(SequenceDataTest, FreshRecordFlattensToItsFixedBytes) {
    const Bytes expected = {0x71, 0x65, 0x73, 0x70, 1, 0, 0, 0, 1, 0, 0, 0, 0x18, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(expected, flatOf(freshSequenceData()));
}

TEST(SequenceDataTest, FlatFormReadsBackWithItsSpares) {
    SequenceData original = freshSequenceData();
    original.spare1 = 0x11223344;
    original.spare2 = 0xA5A5A5A5;
    Bytes flat = flatOf(original);
    flat.push_back(0xEE);  // bytes beyond the record are dropped

    SequenceData restored{};
    ASSERT_TRUE(unflattenSequenceData(restored, flat));
    EXPECT_EQ(kSequenceMagic, restored.magic);
    EXPECT_EQ(0u, restored.flattened);
    EXPECT_EQ(24u, restored.size);
    EXPECT_EQ(1u, restored.version);
    EXPECT_EQ(0x11223344u, restored.spare1);
    EXPECT_EQ(0xA5A5A5A5u, restored.spare2);
}

TEST(SequenceDataTest, DataThatIsNotOursGivesAFreshRecord) {
    SequenceData withSpares = freshSequenceData();
    withSpares.spare1 = 7;
    const Bytes good = flatOf(withSpares);

    Bytes shortData(good.begin(), good.begin() + 20);
    Bytes wrongVersion = good;
    wrongVersion[8] = 2;
    Bytes wrongMagic = good;
    wrongMagic[0] = 'x';
    // The in-memory form has size before version, so it reads as version 24.
    const SequenceData inMemory = freshSequenceData();
    const auto* raw = reinterpret_cast<const std::uint8_t*>(&inMemory);
    const Bytes inMemoryBytes(raw, raw + sizeof inMemory);

    for (const Bytes* bytes : std::initializer_list<const Bytes*>{&shortData, &wrongVersion, &wrongMagic, &inMemoryBytes}) {
        SequenceData record = withSpares;
        EXPECT_FALSE(unflattenSequenceData(record, *bytes));
        EXPECT_EQ(flatOf(freshSequenceData()), flatOf(record));
        EXPECT_EQ(0u, record.spare1);
    }
}

}  // namespace
