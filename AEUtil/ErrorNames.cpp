#include "AEUtil/ErrorNames.h"

namespace AEUtil {

namespace {

const char* const kLowNames[] = {
    "PF_Err_NONE", "", "", "", "PF_Err_OUT_OF_MEMORY",
};

// Codes from 512 (the host's first error) on.
const char* const kHostNames[] = {
    "PF_Err_INTERNAL_STRUCT_DAMAGED",
    "PF_Err_INVALID_INDEX",
    "PF_Err_UNRECOGNIZED_PARAM_TYPE",
    "PF_Err_INVALID_CALLBACK",
    "PF_Err_BAD_CALLBACK_PARAM",
    "PF_Interrupt_CANCEL",
    "PF_Err_CANNOT_PARSE_KEYFRAME_TEXT",
};

constexpr int kFirstHostError = 512;
constexpr int kLowCount = sizeof(kLowNames) / sizeof(kLowNames[0]);
constexpr int kHostCount = sizeof(kHostNames) / sizeof(kHostNames[0]);

}  // namespace

const char* errorName(int value) {
    if (value >= 0 && value < kLowCount) return kLowNames[value];
    if (value >= kFirstHostError && value < kFirstHostError + kHostCount) return kHostNames[value - kFirstHostError];
    return "unknown";
}

}  // namespace AEUtil
