#pragma once
// One host suite held for the life of a scope.

#include "hostapi/HostApi.h"

#include <cstdint>
#include <string>

namespace AEUtil {

class SuiteHolder {
public:
    // Acquires the suite; suite() is null when the host could not give it.
    SuiteHolder(SPBasicSuite* basic, const char* name, std::int32_t version);
    ~SuiteHolder();
    SuiteHolder(const SuiteHolder&) = delete;
    SuiteHolder& operator=(const SuiteHolder&) = delete;

    const void* suite() const { return suite_; }
    template <class Suite>
    const Suite* as() const {
        return static_cast<const Suite*>(suite_);
    }
    std::int32_t version() const { return version_; }

private:
    SPBasicSuite* basic_;
    const void* suite_ = nullptr;
    std::string name_;
    std::int32_t version_;
};

// The Param Utils suite in the version the host offers: 3 from effect API 13.2 on, else 2.
// Throws the bare error 516 when the host cannot give it.
class ParamUtilsSuiteHolder {
public:
    explicit ParamUtilsSuiteHolder(const PF_InData* in_data);

    PF_Err updateParamUI(PF_ProgPtr effect_ref, PF_ParamIndex index, const PF_ParamDef* def) const {
        return updateParamUI_(effect_ref, index, def);
    }
    std::int32_t version() const { return holder_.version(); }

private:
    SuiteHolder holder_;
    // Both layouts start with the same function; it is the only one the effect calls.
    PF_Err (*updateParamUI_)(PF_ProgPtr, PF_ParamIndex, const PF_ParamDef*) = nullptr;
};

}  // namespace AEUtil
