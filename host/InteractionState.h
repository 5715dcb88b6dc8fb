#pragma once
// What the effect asked through the progress and abort callbacks, and what
// the host answers. Safe to call from several threads.

#include <mutex>
#include <vector>

#include "host/AnswerFromNthCall.h"
#include "hostapi/HostApi.h"

namespace vmhost {

struct ProgressCall {
    A_long current;
    A_long total;
};

class InteractionState {
public:
    // `workerIndex` is the pool thread index of the caller, or -1 when the
    // call does not come from a worker. Only worker 0 may report.
    PF_Err progress(A_long current, A_long total, int workerIndex);
    PF_Err abort(int workerIndex);

    // From the Nth call on (1 = the next one), counted from now, answer
    // `answer`; n = 0 answers PF_Err_NONE again.
    void answerProgressFrom(int n, PF_Err answer = PF_Interrupt_CANCEL);
    void answerAbortFrom(int n, PF_Err answer = PF_Interrupt_CANCEL);

    int progressCalls() const;
    std::vector<ProgressCall> progressLog() const;
    int abortCalls() const;
    // Progress or abort calls made from a worker other than thread index 0.
    int callsFromOtherWorkers() const;
    void clearLog();

private:
    mutable std::mutex mutex_;
    std::vector<ProgressCall> progressLog_;
    int abortCalls_ = 0;
    int callsFromOtherWorkers_ = 0;
    AnswerFromNthCall progressAnswer_;
    AnswerFromNthCall abortAnswer_;
};

}  // namespace vmhost
