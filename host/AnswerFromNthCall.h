#pragma once
// Failure injection that stays on: from the Nth call on, counted from the
// moment it is armed, a callback answers the given error instead of success.

#include "hostapi/HostApi.h"

namespace vmhost {

class AnswerFromNthCall {
public:
    // n = 1 answers from the next call on; n = 0 answers PF_Err_NONE again.
    void arm(int n, PF_Err answer) {
        callsUntil_ = n > 0 ? n : 0;
        answer_ = answer;
        active_ = false;
    }

    // Counts one call and gives its answer. Not synchronised: owners call it
    // under their own lock.
    PF_Err next() {
        if (!active_ && callsUntil_ > 0 && --callsUntil_ == 0) active_ = true;
        return active_ ? answer_ : PF_Err_NONE;
    }

private:
    int callsUntil_ = 0;  // 0: not armed
    PF_Err answer_ = PF_Err_NONE;
    bool active_ = false;
};

}  // namespace vmhost
