#include "host/InteractionState.h"

namespace vmhost {

PF_Err InteractionState::progress(A_long current, A_long total, int workerIndex) {
    std::lock_guard<std::mutex> lock(mutex_);
    progressLog_.push_back({current, total});
    if (workerIndex > 0) ++callsFromOtherWorkers_;
    return progressAnswer_.next();
}

PF_Err InteractionState::abort(int workerIndex) {
    std::lock_guard<std::mutex> lock(mutex_);
    ++abortCalls_;
    if (workerIndex > 0) ++callsFromOtherWorkers_;
    return abortAnswer_.next();
}

void InteractionState::answerProgressFrom(int n, PF_Err answer) {
    std::lock_guard<std::mutex> lock(mutex_);
    progressAnswer_.arm(n, answer);
}

void InteractionState::answerAbortFrom(int n, PF_Err answer) {
    std::lock_guard<std::mutex> lock(mutex_);
    abortAnswer_.arm(n, answer);
}

int InteractionState::progressCalls() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<int>(progressLog_.size());
}

std::vector<ProgressCall> InteractionState::progressLog() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return progressLog_;
}

int InteractionState::abortCalls() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return abortCalls_;
}

int InteractionState::callsFromOtherWorkers() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return callsFromOtherWorkers_;
}

void InteractionState::clearLog() {
    std::lock_guard<std::mutex> lock(mutex_);
    progressLog_.clear();
    abortCalls_ = 0;
    callsFromOtherWorkers_ = 0;
}

}  // namespace vmhost
