#include "host/ThreadBinding.h"

namespace vmhost {

namespace {
// The one piece of per-thread state the context-free callbacks need.
thread_local HostContext* boundContext = nullptr;
}  // namespace

ThreadBinding::ThreadBinding(HostContext* context)
    : context_(context), previous_(boundContext), thread_(std::this_thread::get_id()) {
    boundContext = context;
}

ThreadBinding::~ThreadBinding() {
    // Only undo our own binding, and only on the thread that made it.
    if (std::this_thread::get_id() == thread_ && boundContext == context_) boundContext = previous_;
}

void ThreadBinding::bindForLifetimeOfThread(HostContext* context) {
    boundContext = context;
}

HostContext* ThreadBinding::current() {
    return boundContext;
}

}  // namespace vmhost
