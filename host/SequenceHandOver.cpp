#include "host/SequenceHandOver.h"

#include <new>

namespace vmhost {

void SequenceHandOver::disposeIfOwned(PF_Handle handle) {
    // A handle the store does not know was planted by a test through in_data.
    if (handle && handles_.owns(handle)) handles_.dispose(handle);
}

void SequenceHandOver::afterCommand(PF_Cmd cmd, PF_Err err, PF_InData& in, const PF_OutData& out) {
    switch (cmd) {
        case PF_Cmd_SEQUENCE_SETUP:
        case PF_Cmd_SEQUENCE_FLATTEN:
            if (err == PF_Err_NONE) in.sequence_data = out.sequence_data;
            break;
        case PF_Cmd_SEQUENCE_RESETUP:
            if (err == PF_Err_NONE && out.sequence_data != in.sequence_data) {
                PF_Handle passedIn = in.sequence_data;
                in.sequence_data = out.sequence_data;
                disposeIfOwned(passedIn);
            }
            break;
        case PF_Cmd_GET_FLATTENED_SEQUENCE_DATA:
            lastFlatCopy_.reset();
            // out_data starts as the instance's own handle: unchanged, it is no copy.
            if (err == PF_Err_NONE && out.sequence_data && out.sequence_data != in.sequence_data) {
                lastFlatCopy_ = handles_.contents(out.sequence_data);
                disposeIfOwned(out.sequence_data);
            }
            break;
        case PF_Cmd_SEQUENCE_SETDOWN:
            in.sequence_data = nullptr;
            break;
        default:
            break;
    }
}

void SequenceHandOver::plant(PF_InData& in, const std::optional<HandleBytes>& bytes) {
    PF_Handle previous = in.sequence_data;
    in.sequence_data = nullptr;
    if (bytes) {
        in.sequence_data = handles_.allocateCopy(*bytes);
        if (!in.sequence_data) throw std::bad_alloc();
    }
    disposeIfOwned(previous);
}

}  // namespace vmhost
