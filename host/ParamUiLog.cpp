#include "host/ParamUiLog.h"

namespace vmhost {

PF_Err ParamUiLog::record(PF_ParamIndex index, PF_ParamUIFlags uiFlags) {
    std::lock_guard<std::mutex> lock(mutex_);
    log_.push_back({index, uiFlags});
    return answer_.next();
}

void ParamUiLog::answerFrom(int n, PF_Err answer) {
    std::lock_guard<std::mutex> lock(mutex_);
    answer_.arm(n, answer);
}

int ParamUiLog::calls() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<int>(log_.size());
}

std::vector<ParamUiUpdate> ParamUiLog::log() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return log_;
}

void ParamUiLog::clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    log_.clear();
}

}  // namespace vmhost
