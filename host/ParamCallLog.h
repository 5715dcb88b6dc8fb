#pragma once
// What the effect did through the parameter callbacks of in_data->inter
// (add, check-out, check-in), and the failures a test injects there. Safe to
// call from several threads.

#include <mutex>
#include <optional>

#include "host/CallCountdown.h"
#include "hostapi/HostApi.h"

namespace vmhost {

// The time arguments of a check-out.
struct CheckOutTime {
    A_long time;
    A_long step;
    A_u_long scale;
};

class ParamCallLog {
public:
    // Count one call each and give the injected error due for it, or PF_Err_NONE.
    PF_Err countAdd();
    PF_Err countCheckOut(PF_ParamIndex index, const CheckOutTime& time);
    // A check-out that handed a definition out, and a check-in of one.
    void checkedOut();
    void checkedIn();

    int addCalls() const;
    int checkOutCalls() const;
    // Check-outs that succeeded minus the check-ins that matched one.
    int outstandingCheckOuts() const;
    // Check-ins with nothing checked out: the effect hands back what it never got.
    int unmatchedCheckIns() const;
    std::optional<CheckOutTime> lastCheckOutTime() const;

    // Injection, counted from now (1 = the next call; 0 disarms).
    void failNthAdd(int n, PF_Err err = PF_Err_OUT_OF_MEMORY);
    void failNthCheckOut(int n, PF_Err err = PF_Err_INTERNAL_STRUCT_DAMAGED);
    // Every check-out of `index` answers `err`; PF_Err_NONE stops it.
    void failCheckOutsOf(PF_ParamIndex index, PF_Err err = PF_Err_INTERNAL_STRUCT_DAMAGED);

private:
    mutable std::mutex mutex_;
    int addCalls_ = 0;
    int checkOutCalls_ = 0;
    int outstanding_ = 0;
    int unmatchedCheckIns_ = 0;
    std::optional<CheckOutTime> lastTime_;
    CallCountdown addFailure_;
    PF_Err addError_ = PF_Err_NONE;
    CallCountdown checkOutFailure_;
    PF_Err checkOutError_ = PF_Err_NONE;
    PF_ParamIndex failingIndex_ = 0;
    PF_Err failingIndexError_ = PF_Err_NONE;
};

}  // namespace vmhost
