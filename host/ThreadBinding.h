#pragma once
// Several callbacks of the effect API carry no host reference (new handle,
// suite acquisition, iterate_generic, the App suite). They find their host
// through the binding of the calling thread: a host binds the thread that
// creates it, every thread that sends a command, and its worker threads.

#include <thread>

namespace vmhost {

class HostContext;

class ThreadBinding {
public:
    explicit ThreadBinding(HostContext* context);
    ~ThreadBinding();  // restores the binding that was there before
    ThreadBinding(const ThreadBinding&) = delete;
    ThreadBinding& operator=(const ThreadBinding&) = delete;

    // For threads that serve one host until they end (the worker threads).
    static void bindForLifetimeOfThread(HostContext* context);

    // The host bound to the calling thread, or null.
    static HostContext* current();

private:
    HostContext* const context_;
    HostContext* const previous_;
    const std::thread::id thread_;
};

}  // namespace vmhost
