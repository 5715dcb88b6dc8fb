#pragma once
// The PF_UpdateParamUI calls of the Param Utils suite: which control the
// effect reported with which UI flags, and the answer a test wants given.
// Safe to call from several threads.

#include <mutex>
#include <vector>

#include "host/AnswerFromNthCall.h"
#include "hostapi/HostApi.h"

namespace vmhost {

struct ParamUiUpdate {
    PF_ParamIndex index;
    PF_ParamUIFlags uiFlags;  // of the definition passed
};

class ParamUiLog {
public:
    // Logs one call and gives the injected answer due for it, or PF_Err_NONE.
    PF_Err record(PF_ParamIndex index, PF_ParamUIFlags uiFlags);

    // From the Nth call on (1 = the next one), counted from now, answer
    // `answer`; n = 0 answers PF_Err_NONE again.
    void answerFrom(int n, PF_Err answer);

    int calls() const;
    std::vector<ParamUiUpdate> log() const;
    void clear();

private:
    mutable std::mutex mutex_;
    std::vector<ParamUiUpdate> log_;
    AnswerFromNthCall answer_;
};

}  // namespace vmhost
