#pragma once
// The small record every effect instance keeps with the host, in memory and in the flat
// form that is saved with the project.

#include <cstdint>
#include <vector>

constexpr std::uint32_t kSequenceMagic = 0x70736571;  // 'pseq'
constexpr std::uint32_t kSequenceVersion = 1;
constexpr std::uint32_t kSequenceDataSize = 24;

struct SequenceData {
    std::uint32_t magic;
    std::uint32_t flattened;
    std::uint32_t size;
    std::uint32_t version;
    std::uint32_t spare1;
    std::uint32_t spare2;
};
static_assert(sizeof(SequenceData) == kSequenceDataSize, "SequenceData layout");

// The record as a fresh instance gets it.
SequenceData freshSequenceData();

// Appends the 24 flat bytes: magic, 1, version, size (little-endian), then the spares as
// they lie in memory.
void flattenSequenceData(const SequenceData& record, std::vector<std::uint8_t>& bytes);

// Fills the record from flat bytes; false (and a fresh record) when they are not ours.
bool unflattenSequenceData(SequenceData& record, const std::vector<std::uint8_t>& bytes);
