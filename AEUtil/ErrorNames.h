#pragma once

namespace AEUtil {

// The host's own name of one of its error codes: "" for 1 to 3, "unknown" for codes it does not define.
const char* errorName(int value);

}  // namespace AEUtil
