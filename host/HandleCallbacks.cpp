#include "host/HandleCallbacks.h"

#include "host/HostContext.h"
#include "host/ThreadBinding.h"

namespace vmhost::handlecb {

namespace {
HandleStore* boundStore() {
    HostContext* host = ThreadBinding::current();
    return host ? &host->handles() : nullptr;
}
}  // namespace

PF_Handle newHandle(A_u_longlong size) {
    HostContext* host = ThreadBinding::current();
    if (!host || host->failurePoints().fails(FailurePoint::HandleAllocation)) return nullptr;
    return host->handles().allocate(size);
}

void* lockHandle(PF_Handle handle) {
    HandleStore* store = boundStore();
    return store ? store->lock(handle) : nullptr;
}

void unlockHandle(PF_Handle handle) {
    if (HandleStore* store = boundStore()) store->unlock(handle);
}

void disposeHandle(PF_Handle handle) {
    if (HandleStore* store = boundStore()) store->dispose(handle);
}

A_u_longlong handleSize(PF_Handle handle) {
    HandleStore* store = boundStore();
    return store ? store->sizeOf(handle) : 0;
}

PF_Err resizeHandle(A_u_longlong newSize, PF_Handle* handle) {
    HostContext* host = ThreadBinding::current();
    if (!host) return PF_Err_INVALID_CALLBACK;
    if (host->failurePoints().fails(FailurePoint::HandleAllocation)) return PF_Err_OUT_OF_MEMORY;
    return host->handles().resize(newSize, handle);
}

}  // namespace vmhost::handlecb
