#pragma once
// Owning wrappers for host handles reached through the utility callbacks: a lock that is
// always undone, and a new handle that is disposed of unless handed to the host.

#include "hostapi/HostApi.h"

#include <cstddef>

namespace AEUtil {

class HandleLock {
public:
    HandleLock(PF_UtilCallbacks* utils, PF_Handle handle)
        : utils_(utils), handle_(handle), data_(handle != nullptr ? utils->host_lock_handle(handle) : nullptr) {}
    ~HandleLock() { unlock(); }
    HandleLock(const HandleLock&) = delete;
    HandleLock& operator=(const HandleLock&) = delete;

    // Null when the handle is null or the host could not lock it.
    void* data() const { return data_; }
    explicit operator bool() const { return data_ != nullptr; }
    void unlock() {
        if (data_ != nullptr) utils_->host_unlock_handle(handle_);
        data_ = nullptr;
    }

private:
    PF_UtilCallbacks* utils_;
    PF_Handle handle_;
    void* data_;
};

class OwnedHandle {
public:
    OwnedHandle(PF_UtilCallbacks* utils, std::size_t size)
        : utils_(utils), handle_(utils->host_new_handle(static_cast<A_HandleSize>(size))) {}
    ~OwnedHandle() {
        if (handle_ != nullptr) utils_->host_dispose_handle(handle_);
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    PF_Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    // Gives the handle away (to the host); this object no longer disposes of it.
    PF_Handle release() {
        PF_Handle handle = handle_;
        handle_ = nullptr;
        return handle;
    }

private:
    PF_UtilCallbacks* utils_;
    PF_Handle handle_;
};

}  // namespace AEUtil
