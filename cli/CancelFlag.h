#pragma once
// Set once the user asked to stop (Ctrl-C); read by the render loop. A
// lock-free atomic, so a signal handler may set it.

#include <atomic>

namespace vmcli {

using CancelFlag = std::atomic<bool>;
static_assert(CancelFlag::is_always_lock_free, "a signal handler sets the cancel flag");

}  // namespace vmcli
