#include "host/HandleStore.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

namespace vmhost {

// The handle the effect sees is the address of `data`, so *handle is the
// data pointer as with the real host's handles.
struct HandleStore::Block {
    void* data = nullptr;
    A_u_longlong size = 0;
    int locks = 0;

    ~Block() { std::free(data); }
    PF_Handle handle() { return &data; }
};

namespace {

// malloc(0) may return null; a zero-size handle still needs an address.
void* allocateBytes(A_u_longlong size) {
    if (size > SIZE_MAX - 1) return nullptr;
    return std::malloc(static_cast<std::size_t>(size ? size : 1));
}

}  // namespace

HandleStore::HandleStore(std::optional<std::uint8_t> fillByte) : fillByte_(fillByte) {}

HandleStore::~HandleStore() = default;

HandleStore::Block* HandleStore::find(PF_Handle handle) const {
    const auto it = blocks_.find(handle);
    if (it == blocks_.end()) {
        ++misuses_;
        return nullptr;
    }
    return it->second.get();
}

PF_Handle HandleStore::add(A_u_longlong size, const void* bytes) {
    auto block = std::unique_ptr<Block>(new (std::nothrow) Block);
    if (!block) return nullptr;
    block->data = allocateBytes(size);
    if (!block->data) return nullptr;
    if (bytes && size)
        std::memcpy(block->data, bytes, static_cast<std::size_t>(size));
    else if (fillByte_)
        std::memset(block->data, *fillByte_, static_cast<std::size_t>(size));
    block->size = size;
    PF_Handle handle = block->handle();
    blocks_.emplace(handle, std::move(block));
    ++allocations_;
    return handle;
}

PF_Handle HandleStore::allocate(A_u_longlong size) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (allocationFailure_.countCall()) return nullptr;
    return add(size, nullptr);
}

PF_Handle HandleStore::allocateCopy(const HandleBytes& bytes) {
    std::lock_guard<std::mutex> lock(mutex_);
    return add(bytes.size(), bytes.data());
}

void* HandleStore::lock(PF_Handle handle) {
    std::lock_guard<std::mutex> lock(mutex_);
    Block* block = find(handle);
    if (!block) return nullptr;
    if (block->locks++ == 0) ++lockedCount_;
    return block->data;
}

void HandleStore::unlock(PF_Handle handle) {
    std::lock_guard<std::mutex> lock(mutex_);
    Block* block = find(handle);
    if (!block) return;
    if (block->locks == 0) {
        ++misuses_;
        return;
    }
    if (--block->locks == 0) --lockedCount_;
}

void HandleStore::dispose(PF_Handle handle) {
    if (!handle) return;  // like free(nullptr)
    std::lock_guard<std::mutex> lock(mutex_);
    Block* block = find(handle);
    if (!block) return;
    if (block->locks > 0) --lockedCount_;
    blocks_.erase(handle);
}

A_u_longlong HandleStore::sizeOf(PF_Handle handle) const {
    std::lock_guard<std::mutex> lock(mutex_);
    const Block* block = find(handle);
    return block ? block->size : 0;
}

PF_Err HandleStore::resize(A_u_longlong newSize, PF_Handle* handle) {
    if (!handle) return PF_Err_BAD_CALLBACK_PARAM;
    std::lock_guard<std::mutex> lock(mutex_);
    Block* block = find(*handle);
    if (!block) return PF_Err_BAD_CALLBACK_PARAM;
    void* moved = allocateBytes(newSize);
    if (!moved) return PF_Err_OUT_OF_MEMORY;
    const A_u_longlong kept = newSize < block->size ? newSize : block->size;
    std::memcpy(moved, block->data, static_cast<std::size_t>(kept));
    if (fillByte_)
        std::memset(static_cast<unsigned char*>(moved) + kept, *fillByte_, static_cast<std::size_t>(newSize - kept));
    std::free(block->data);
    block->data = moved;
    block->size = newSize;
    return PF_Err_NONE;  // the handle itself (the address of `data`) stays the same
}

std::optional<HandleBytes> HandleStore::contents(PF_Handle handle) const {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto it = blocks_.find(handle);
    if (it == blocks_.end()) return std::nullopt;
    const auto* data = static_cast<const std::uint8_t*>(it->second->data);
    return HandleBytes(data, data + it->second->size);
}

bool HandleStore::owns(PF_Handle handle) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return blocks_.count(handle) != 0;
}

bool HandleStore::isLocked(PF_Handle handle) const {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto it = blocks_.find(handle);
    return it != blocks_.end() && it->second->locks > 0;
}

int HandleStore::outstanding() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<int>(blocks_.size());
}

int HandleStore::locked() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return lockedCount_;
}

long long HandleStore::allocations() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return allocations_;
}

int HandleStore::misuses() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return misuses_;
}

void HandleStore::failNthAllocation(int n) {
    std::lock_guard<std::mutex> lock(mutex_);
    allocationFailure_.arm(n);
}

}  // namespace vmhost
