#include "entry/SequenceData.h"

#include <cstring>

namespace {

void appendLittleEndian(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::uint32_t readLittleEndian(const std::uint8_t* bytes) {
    return std::uint32_t(bytes[0]) | (std::uint32_t(bytes[1]) << 8) | (std::uint32_t(bytes[2]) << 16) |
           (std::uint32_t(bytes[3]) << 24);
}

void appendRaw(std::vector<std::uint8_t>& bytes, const std::uint32_t& value) {
    const auto* raw = reinterpret_cast<const std::uint8_t*>(&value);
    bytes.insert(bytes.end(), raw, raw + sizeof value);
}

}  // namespace

SequenceData freshSequenceData() {
    return SequenceData{kSequenceMagic, 0, kSequenceDataSize, kSequenceVersion, 0, 0};
}

void flattenSequenceData(const SequenceData& record, std::vector<std::uint8_t>& bytes) {
    appendLittleEndian(bytes, record.magic);
    appendLittleEndian(bytes, 1);
    appendLittleEndian(bytes, record.version);
    appendLittleEndian(bytes, record.size);
    appendRaw(bytes, record.spare1);
    appendRaw(bytes, record.spare2);
}

bool unflattenSequenceData(SequenceData& record, const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < kSequenceDataSize) {
        record = freshSequenceData();
        return false;
    }
    const std::uint8_t* flat = bytes.data();
    record.magic = readLittleEndian(flat);
    record.flattened = readLittleEndian(flat + 4);
    record.version = readLittleEndian(flat + 8);
    record.size = readLittleEndian(flat + 12);
    std::memcpy(&record.spare1, flat + 16, 4);
    std::memcpy(&record.spare2, flat + 20, 4);
    if (record.magic == kSequenceMagic && record.version == kSequenceVersion) {
        record.flattened = 0;
        return true;
    }
    record = freshSequenceData();
    return false;
}
