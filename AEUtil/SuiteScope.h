#pragma once
// Host suites held for the length of one call: one slot per known suite, each acquired
// on first use and all released when the scope ends.

#include "AEUtil/SuiteList.h"
#include "hostapi/HostApi.h"

namespace AEUtil {

class SuiteScope {
public:
    // A null basic suite is refused with the bare error 516.
    explicit SuiteScope(SPBasicSuite* basic);
    ~SuiteScope();
    SuiteScope(const SuiteScope&) = delete;
    SuiteScope& operator=(const SuiteScope&) = delete;

    // The suite of that name and version, acquired into its slot on first use.
    // Throws the bare error 516 when the host cannot give it.
    template <class Suite>
    const Suite* acquire(const char* name, std::int32_t version) {
        return static_cast<const Suite*>(acquireSlot(name, version));
    }

    SPBasicSuite* basic() const { return basic_; }

private:
    const void* acquireSlot(const char* name, std::int32_t version);

    SPBasicSuite* basic_;
    const void* slots_[kKnownSuiteCount] = {};
};

}  // namespace AEUtil
