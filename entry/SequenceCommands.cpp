// The five sequence commands: each effect instance's record in a host handle, made flat
// for saving and rebuilt after loading.
#include "AEUtil/HostHandle.h"
#include "entry/BaseFilter.h"
#include "entry/SequenceData.h"

#include <cstring>
#include <vector>

namespace {

using AEUtil::HandleLock;
using AEUtil::OwnedHandle;

// Steps shared by flatten and get-flattened: a new handle holding the flat form of the
// record in in_data->sequence_data, handed back in out_data->sequence_data.
PF_Err writeFlatCopy(PF_InData* in_data, PF_OutData* out_data) {
    PF_UtilCallbacks* utils = in_data->utils;
    HandleLock old(utils, in_data->sequence_data);
    if (!old) return PF_Err_INTERNAL_STRUCT_DAMAGED;

    std::vector<std::uint8_t> flat;
    flattenSequenceData(*static_cast<const SequenceData*>(old.data()), flat);

    OwnedHandle copy(utils, flat.size());
    if (!copy) return PF_Err_OUT_OF_MEMORY;
    HandleLock target(utils, copy.get());
    if (!target) return PF_Err_INTERNAL_STRUCT_DAMAGED;
    std::memcpy(target.data(), flat.data(), flat.size());
    target.unlock();
    out_data->sequence_data = copy.release();
    return PF_Err_NONE;
}

bool looksLikeOurRecord(PF_InData* in_data) {
    PF_UtilCallbacks* utils = in_data->utils;
    HandleLock old(utils, in_data->sequence_data);
    if (!old) return false;
    if (utils->host_get_handle_size(in_data->sequence_data) < kSequenceDataSize) return false;
    std::uint32_t magic = 0;
    std::memcpy(&magic, old.data(), sizeof magic);
    return magic == kSequenceMagic;
}

}  // namespace

PF_Err BaseFilter::onSequenceSetup(PF_InData* in_data, PF_OutData* out_data) {
    PF_UtilCallbacks* utils = in_data->utils;
    OwnedHandle handle(utils, sizeof(SequenceData));
    if (!handle) return PF_Err_OUT_OF_MEMORY;
    HandleLock lock(utils, handle.get());
    if (!lock) return PF_Err_INTERNAL_STRUCT_DAMAGED;
    *static_cast<SequenceData*>(lock.data()) = freshSequenceData();
    lock.unlock();
    out_data->sequence_data = handle.release();
    return PF_Err_NONE;
}

PF_Err BaseFilter::onSequenceSetdown(PF_InData* in_data, PF_OutData*) {
    if (in_data->sequence_data != nullptr) in_data->utils->host_dispose_handle(in_data->sequence_data);
    return PF_Err_NONE;
}

PF_Err BaseFilter::onSequenceFlatten(PF_InData* in_data, PF_OutData* out_data) {
    const PF_Err err = writeFlatCopy(in_data, out_data);
    // The in-memory record goes only once its flat form is safely in the host's hands.
    if (err == PF_Err_NONE) in_data->utils->host_dispose_handle(in_data->sequence_data);
    return err;
}

PF_Err BaseFilter::onGetFlattenedSequenceData(PF_InData* in_data, PF_OutData* out_data) {
    return writeFlatCopy(in_data, out_data);
}

PF_Err BaseFilter::onSequenceResetup(PF_InData* in_data, PF_OutData* out_data) {
    if (!looksLikeOurRecord(in_data)) return createSequenceData(in_data, out_data);

    PF_UtilCallbacks* utils = in_data->utils;
    HandleLock old(utils, in_data->sequence_data);
    if (!old) return PF_Err_INTERNAL_STRUCT_DAMAGED;
    if (const PF_Err err = onSequenceSetup(in_data, out_data)) return err;

    HandleLock fresh(utils, out_data->sequence_data);
    if (!fresh) return PF_Err_INTERNAL_STRUCT_DAMAGED;
    const auto* oldBytes = static_cast<const std::uint8_t*>(old.data());
    const std::vector<std::uint8_t> bytes(oldBytes, oldBytes + utils->host_get_handle_size(in_data->sequence_data));
    // Data that is not acceptable leaves the fresh record as it is.
    unflattenSequenceData(*static_cast<SequenceData*>(fresh.data()), bytes);
    return PF_Err_NONE;
}
