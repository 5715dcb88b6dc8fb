#include "host/ParamCallLog.h"

namespace vmhost {

PF_Err ParamCallLog::countAdd() {
    std::lock_guard<std::mutex> lock(mutex_);
    ++addCalls_;
    return addFailure_.countCall() ? addError_ : PF_Err_NONE;
}

PF_Err ParamCallLog::countCheckOut(PF_ParamIndex index, const CheckOutTime& time) {
    std::lock_guard<std::mutex> lock(mutex_);
    ++checkOutCalls_;
    lastTime_ = time;
    if (checkOutFailure_.countCall()) return checkOutError_;
    if (failingIndexError_ != PF_Err_NONE && index == failingIndex_) return failingIndexError_;
    return PF_Err_NONE;
}

void ParamCallLog::checkedOut() {
    std::lock_guard<std::mutex> lock(mutex_);
    ++outstanding_;
}

void ParamCallLog::checkedIn() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (outstanding_ > 0)
        --outstanding_;
    else
        ++unmatchedCheckIns_;
}

int ParamCallLog::addCalls() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return addCalls_;
}

int ParamCallLog::checkOutCalls() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return checkOutCalls_;
}

int ParamCallLog::outstandingCheckOuts() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return outstanding_;
}

int ParamCallLog::unmatchedCheckIns() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return unmatchedCheckIns_;
}

std::optional<CheckOutTime> ParamCallLog::lastCheckOutTime() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return lastTime_;
}

void ParamCallLog::failNthAdd(int n, PF_Err err) {
    std::lock_guard<std::mutex> lock(mutex_);
    addFailure_.arm(n);
    addError_ = err;
}

void ParamCallLog::failNthCheckOut(int n, PF_Err err) {
    std::lock_guard<std::mutex> lock(mutex_);
    checkOutFailure_.arm(n);
    checkOutError_ = err;
}

void ParamCallLog::failCheckOutsOf(PF_ParamIndex index, PF_Err err) {
    std::lock_guard<std::mutex> lock(mutex_);
    failingIndex_ = index;
    failingIndexError_ = err;
}

}  // namespace vmhost
