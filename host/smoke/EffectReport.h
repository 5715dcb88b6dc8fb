#pragma once
// Readable forms of what an effect reports at setup.

#include <string>

#include "hostapi/HostApi.h"

namespace vmhost::smoke {

// "1.1.1 Release build 8 (0x00088E08)" from a packed effect version.
std::string describeVersion(A_u_long packed);
// "0x06000470 = SEQUENCE_DATA_NEEDS_FLATTENING | I_DO_DIALOG | ..."
std::string describeOutFlags(PF_OutFlags flags);
std::string describeOutFlags2(PF_OutFlags2 flags);
// The about text with its carriage returns as line breaks, each line indented.
std::string indentMessage(const std::string& message, const std::string& indent);

}  // namespace vmhost::smoke
