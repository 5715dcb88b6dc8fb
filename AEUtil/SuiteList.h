#pragma once

#include <cstddef>
#include <cstdint>

namespace AEUtil {

struct SuiteId {
    const char* name;
    std::int32_t version;
};

constexpr std::size_t kKnownSuiteCount = 135;
extern const SuiteId kKnownSuites[kKnownSuiteCount];

// The slot of a name and version in kKnownSuites, or -1.
int findSuiteSlot(const char* name, std::int32_t version);

}  // namespace AEUtil
