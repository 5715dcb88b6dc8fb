#pragma once
// Host handle memory with accounting, shared by the utility callbacks and the
// handle suite. Every member is safe to call from several threads.

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <vector>

#include "host/CallCountdown.h"
#include "hostapi/HostApi.h"

namespace vmhost {

using HandleBytes = std::vector<std::uint8_t>;

class HandleStore {
public:
    // New handles are filled with `fillByte` so that reads of memory the
    // effect never wrote do not pass by luck; nullopt leaves them as allocated.
    explicit HandleStore(std::optional<std::uint8_t> fillByte = std::nullopt);
    ~HandleStore();  // frees whatever the effect left behind
    HandleStore(const HandleStore&) = delete;
    HandleStore& operator=(const HandleStore&) = delete;

    // Null when memory is short or an injected failure is due.
    PF_Handle allocate(A_u_longlong size);
    // A handle the host fills itself (data it hands to the effect); injected
    // failures are left for the effect's own allocations. Null when memory is short.
    PF_Handle allocateCopy(const HandleBytes& bytes);
    // The data pointer, or null for a handle this store does not own.
    void* lock(PF_Handle handle);
    void unlock(PF_Handle handle);
    void dispose(PF_Handle handle);
    // 0 for a handle this store does not own.
    A_u_longlong sizeOf(PF_Handle handle) const;
    // Moves the contents to a block of the new size (always a new address, so
    // stale pointers are not kept alive by luck).
    PF_Err resize(A_u_longlong newSize, PF_Handle* handle);

    // The bytes of a handle this store owns, read without counting as a use.
    std::optional<HandleBytes> contents(PF_Handle handle) const;

    bool owns(PF_Handle handle) const;
    bool isLocked(PF_Handle handle) const;

    // Accounting.
    int outstanding() const;       // allocated and not yet disposed
    int locked() const;            // handles with at least one lock
    long long allocations() const; // successful allocations since construction
    int misuses() const;           // calls with a foreign handle, unbalanced unlocks

    // Fails the Nth allocation from now (1 = the next one); 0 disarms.
    void failNthAllocation(int n);

private:
    struct Block;
    Block* find(PF_Handle handle) const;
    PF_Handle add(A_u_longlong size, const void* bytes);  // under the lock

    const std::optional<std::uint8_t> fillByte_;
    mutable std::mutex mutex_;
    std::unordered_map<PF_Handle, std::unique_ptr<Block>> blocks_;
    int lockedCount_ = 0;
    long long allocations_ = 0;
    mutable int misuses_ = 0;
    CallCountdown allocationFailure_;
};

}  // namespace vmhost
