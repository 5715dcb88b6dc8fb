#pragma once
// What becomes of the sequence data handles of one effect instance. The
// sequence commands read in_data->sequence_data and hand a handle back in
// out_data->sequence_data; who owns which handle afterwards depends on the
// command:
//   SEQUENCE_SETUP, SEQUENCE_FLATTEN  the handle handed back becomes the
//                                     instance's data (flatten has disposed of
//                                     the old one itself);
//   SEQUENCE_RESETUP                  likewise, and the host disposes of the
//                                     flat data it passed in;
//   GET_FLATTENED_SEQUENCE_DATA       the instance keeps its data; the flat
//                                     copy is the host's, which reads and
//                                     disposes of it;
//   SEQUENCE_SETDOWN                  the effect disposed of it: none is left.
// A failed command hands nothing over.

#include <optional>

#include "host/HandleStore.h"
#include "hostapi/HostApi.h"

namespace vmhost {

class SequenceHandOver {
public:
    explicit SequenceHandOver(HandleStore& handles) : handles_(handles) {}

    // After `cmd` answered `err`: updates in.sequence_data from `out`.
    void afterCommand(PF_Cmd cmd, PF_Err err, PF_InData& in, const PF_OutData& out);

    // Gives the instance a new handle holding `bytes` (nullopt: no handle),
    // as the host does when it loads a project; the handle it had, if the
    // host's, is disposed of.
    void plant(PF_InData& in, const std::optional<HandleBytes>& bytes);

    // The bytes of the last flat copy, or nullopt when the last
    // GET_FLATTENED_SEQUENCE_DATA failed or handed no copy back.
    const std::optional<HandleBytes>& lastFlatCopy() const { return lastFlatCopy_; }

private:
    void disposeIfOwned(PF_Handle handle);

    HandleStore& handles_;
    std::optional<HandleBytes> lastFlatCopy_;
};

}  // namespace vmhost
