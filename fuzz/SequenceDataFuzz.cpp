// The flat sequence data a project hands back at re-setup: any bytes give either our
// record or a fresh one, the instance keeps working, and nothing is held afterwards.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "entry/SequenceData.h"
#include "fuzz/FuzzHost.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using vmfuzz::fuzzFault;
    const std::vector<std::uint8_t> bytes(data, data + size);

    SequenceData record{};
    const bool ours = unflattenSequenceData(record, bytes);
    if (record.magic != kSequenceMagic || record.version != kSequenceVersion || record.flattened != 0)
        fuzzFault("unflattening left a record that is not ours");
    const SequenceData fresh = freshSequenceData();
    if (!ours && std::memcmp(&record, &fresh, sizeof record) != 0) fuzzFault("data not ours gave no fresh record");
    if (ours) {
        // A record read back flattens to the bytes it came from (their first 24), but
        // for the flag that says it is flat.
        std::vector<std::uint8_t> flat;
        flattenSequenceData(record, flat);
        if (flat.size() != kSequenceDataSize || !std::equal(flat.begin(), flat.begin() + 4, bytes.begin()) ||
            !std::equal(flat.begin() + 8, flat.end(), bytes.begin() + 8))
            fuzzFault("a flat record does not survive a round trip");
    }

    vmhost::Host& host = vmfuzz::fuzzHost();
    host.setSequenceData(bytes);
    const int baseline = host.handles().outstanding();
    if (host.send(PF_Cmd_SEQUENCE_RESETUP) != PF_Err_NONE) fuzzFault("re-setup refused data");
    if (host.send(PF_Cmd_GET_FLATTENED_SEQUENCE_DATA) != PF_Err_NONE) fuzzFault("no flat copy");
    const auto& flat = host.lastFlatSequenceData();
    if (!flat || flat->size() != kSequenceDataSize) fuzzFault("the flat copy is not a record");
    SequenceData again{};
    if (!unflattenSequenceData(again, *flat)) fuzzFault("the flat copy is not ours");
    if (ours && (again.spare1 != record.spare1 || again.spare2 != record.spare2)) fuzzFault("the spares were lost");
    vmfuzz::expectNothingHeld(host, baseline);
    return 0;
}
