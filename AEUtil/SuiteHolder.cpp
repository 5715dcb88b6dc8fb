#include "AEUtil/SuiteHolder.h"

#include "AEUtil/HostError.h"
#include "AEUtil/HostVersion.h"

namespace AEUtil {

SuiteHolder::SuiteHolder(SPBasicSuite* basic, const char* name, std::int32_t version)
    : basic_(basic), name_(name), version_(version) {
    if (basic_ == nullptr) return;
    const void* suite = nullptr;
    if (basic_->AcquireSuite(name_.c_str(), version_, &suite) == 0) suite_ = suite;
}

SuiteHolder::~SuiteHolder() {
    if (suite_ != nullptr) basic_->ReleaseSuite(name_.c_str(), version_);
}

namespace {

std::int32_t paramUtilsVersionFor(const PF_InData* in_data) {
    return hostVersionNumber(in_data) >= 110 ? kPFParamUtilsSuiteVersion3 : kPFParamUtilsSuiteVersion1;
}

}  // namespace

ParamUtilsSuiteHolder::ParamUtilsSuiteHolder(const PF_InData* in_data)
    : holder_(in_data->pica_basicP, kPFParamUtilsSuite, paramUtilsVersionFor(in_data)) {
    if (holder_.suite() == nullptr) throwHostError(PF_Err_BAD_CALLBACK_PARAM);
    if (holder_.version() == kPFParamUtilsSuiteVersion3) {
        updateParamUI_ = holder_.as<PF_ParamUtilsSuite3>()->PF_UpdateParamUI;
    } else {
        updateParamUI_ = holder_.as<PF_ParamUtilsSuite1>()->PF_UpdateParamUI;
    }
}

}  // namespace AEUtil
