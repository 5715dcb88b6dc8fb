#include "AEUtil/SuiteScope.h"

#include "AEUtil/HostError.h"

namespace AEUtil {

SuiteScope::SuiteScope(SPBasicSuite* basic) : basic_(basic) {
    if (basic_ == nullptr) throwHostError(PF_Err_BAD_CALLBACK_PARAM);
}

SuiteScope::~SuiteScope() {
    for (std::size_t slot = 0; slot < kKnownSuiteCount; ++slot) {
        if (slots_[slot] != nullptr) {
            basic_->ReleaseSuite(kKnownSuites[slot].name, kKnownSuites[slot].version);
        }
    }
}

const void* SuiteScope::acquireSlot(const char* name, std::int32_t version) {
    const int slot = findSuiteSlot(name, version);
    if (slot < 0) throwHostError(PF_Err_BAD_CALLBACK_PARAM);
    if (slots_[slot] != nullptr) return slots_[slot];

    const void* suite = nullptr;
    const SPErr err = basic_->AcquireSuite(name, version, &suite);
    if (err != 0 || suite == nullptr) throwHostError(PF_Err_BAD_CALLBACK_PARAM);
    slots_[slot] = suite;
    return suite;
}

}  // namespace AEUtil
