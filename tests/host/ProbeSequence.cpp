// The probe's sequence data: follows the host's ownership rules for each
// sequence command, so that any handle the host loses or double-frees shows.

#include <cstring>

#include "ProbeCommands.h"

namespace probe {

namespace {

// `tag` gives the first four bytes ("mem" with its terminator, or "flat").
PF_Handle newRecord(PF_InData* in, const char* tag, A_u_long value) {
    PF_Handle handle = in->utils->host_new_handle(sizeof(SequenceRecord));
    if (!handle) return nullptr;
    auto* record = static_cast<SequenceRecord*>(in->utils->host_lock_handle(handle));
    std::memcpy(record->tag, tag, sizeof record->tag);
    record->value = value;
    in->utils->host_unlock_handle(handle);
    return handle;
}

// Reads the value of a record tagged `tag`; false for no handle or another form.
bool readRecord(PF_InData* in, PF_Handle handle, const char* tag, A_u_long* value) {
    if (!handle || in->utils->host_get_handle_size(handle) < sizeof(SequenceRecord)) return false;
    const auto* record = static_cast<const SequenceRecord*>(in->utils->host_lock_handle(handle));
    const bool match = record && std::memcmp(record->tag, tag, sizeof record->tag) == 0;
    if (match) *value = record->value;
    in->utils->host_unlock_handle(handle);
    return match;
}

}  // namespace

PF_Err sequenceSetup(PF_InData* in, PF_OutData* out) {
    out->sequence_data = newRecord(in, "mem", kSequenceSeed);
    return out->sequence_data ? PF_Err_NONE : PF_Err_OUT_OF_MEMORY;
}

PF_Err sequenceFlatten(PF_InData* in, PF_OutData* out, bool keepInMemoryData) {
    A_u_long value = 0;
    if (!readRecord(in, in->sequence_data, "mem", &value)) return PF_Err_INTERNAL_STRUCT_DAMAGED;
    PF_Handle flat = newRecord(in, "flat", value);
    if (!flat) return PF_Err_OUT_OF_MEMORY;
    if (!keepInMemoryData) in->utils->host_dispose_handle(in->sequence_data);
    out->sequence_data = flat;
    return PF_Err_NONE;
}

PF_Err sequenceResetup(PF_InData* in, PF_OutData* out) {
    // The data passed in stays the host's.
    A_u_long value = kSequenceSeed;
    if (in->sequence_data && !readRecord(in, in->sequence_data, "flat", &value))
        value = static_cast<A_u_long>(in->utils->host_get_handle_size(in->sequence_data));
    out->sequence_data = newRecord(in, "mem", value);
    return out->sequence_data ? PF_Err_NONE : PF_Err_OUT_OF_MEMORY;
}

PF_Err sequenceSetdown(PF_InData* in) {
    in->utils->host_dispose_handle(in->sequence_data);
    return PF_Err_NONE;
}

}  // namespace probe
