#pragma once
// Failure injection: picks out the Nth call counted from the moment it is armed.

namespace vmhost {

class CallCountdown {
public:
    // n = 1 fails the next call; n = 0 disarms.
    void arm(int n) { remaining_ = n > 0 ? n : 0; }
    bool armed() const { return remaining_ > 0; }

    // Counts one call; true exactly for the Nth, after which it is disarmed.
    // Not synchronised: owners call it under their own lock.
    bool countCall() { return remaining_ > 0 && --remaining_ == 0; }

private:
    int remaining_ = 0;
};

}  // namespace vmhost
