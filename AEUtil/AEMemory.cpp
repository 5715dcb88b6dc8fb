#include "AEUtil/AEMemory.h"

#include "AEUtil/AEException.h"
#include "AEUtil/SuiteScope.h"
#include "platform/Platform.h"

#include <climits>

namespace AEUtil {

namespace {

// Serialises every handle call of AEMemory so render threads may allocate and free at once.
platform::CriticalSection memoryLock;

// "メモリ確保に失敗しました。" in code page 932, followed by the size the host was asked for.
#define AEMEMORY_FAILURE_PREFIX \
    "\x83\x81\x83\x82\x83\x8a\x8a\x6d\x95\xdb\x82\xc9\x8e\xb8\x94\x73\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42"
#define AEMEMORY_FAILURE_TEXT AEMEMORY_FAILURE_PREFIX "alloc_size=%d\n"
#define AEMEMORY_FAILURE_TEXT_WIDE AEMEMORY_FAILURE_PREFIX "alloc_size=%llu\n"

const PF_HandleSuite1* handleSuite(SuiteScope& scope) {
    return scope.acquire<PF_HandleSuite1>(kPFHandleSuite, kPFHandleSuiteVersion1);
}

#define AEMEMORY_SOURCE "AEUtil/AEMemory"

[[noreturn]] void throwOutOfMemory(int line, const char* signature, std::int32_t requestBytes) {
    throw AEException(PF_Err_OUT_OF_MEMORY, line, AEMEMORY_SOURCE, "%s" AEMEMORY_FAILURE_TEXT, signature,
                      static_cast<int>(requestBytes));
}

}  // namespace

void* AEMemory::alloc(std::size_t bytes, SPBasicSuite* basic) {
    array_deleterAE unused{basic};
    return alloc(bytes, basic, unused);
}

void* AEMemory::alloc(std::size_t bytes, SPBasicSuite* basic, array_deleterAE& release) {
    if (bytes == 0 || basic == nullptr) return nullptr;

    SuiteScope scope(basic);
    const PF_HandleSuite1* handles = handleSuite(scope);

    // The host takes the size as a 32-bit signed count; a larger request cannot be
    // expressed and must not wrap around into a small block.
    if (bytes > static_cast<std::size_t>(INT_MAX) - kHeaderSize) {
        throw AEException(PF_Err_OUT_OF_MEMORY, __LINE__, AEMEMORY_SOURCE, "%s" AEMEMORY_FAILURE_TEXT_WIDE,
                          __PRETTY_FUNCTION__, static_cast<unsigned long long>(bytes) + kHeaderSize);
    }
    const std::int32_t request = static_cast<std::int32_t>(bytes + kHeaderSize);

    platform::ScopedLock lock(memoryLock);
    PF_Handle handle = handles->host_new_handle(static_cast<A_HandleSize>(static_cast<std::int64_t>(request)));
    if (handle == nullptr) throwOutOfMemory(45, __PRETTY_FUNCTION__, request);

    auto* start = static_cast<unsigned char*>(handles->host_lock_handle(handle));
    if (start == nullptr) {
        handles->host_dispose_handle(handle);
        throwOutOfMemory(56, __PRETTY_FUNCTION__, request);
    }

    auto* header = reinterpret_cast<Header*>(start);
    header->handle = reinterpret_cast<std::uintptr_t>(handle);
    header->one = 1;
    header->size = bytes;
    header->zero = 0;
    release.unlockHandle = handles->host_unlock_handle;
    release.disposeHandle = handles->host_dispose_handle;
    return start + kHeaderSize;
}

void array_deleterAE::operator()(std::uint8_t* block) const noexcept {
    if (block == nullptr || basic == nullptr) return;

    auto handleOf = [](std::uint8_t* b) {
        return reinterpret_cast<PF_Handle>(static_cast<std::uintptr_t>(AEMemory::headerOf(b)->handle));
    };
    if (unlockHandle != nullptr && disposeHandle != nullptr) {
        platform::ScopedLock lock(memoryLock);
        if (PF_Handle handle = handleOf(block)) {
            unlockHandle(handle);
            disposeHandle(handle);
        }
        return;
    }
    // This runs from destructors: a host that refuses the handle suite now costs the
    // block, never the process.
    try {
        SuiteScope scope(basic);
        const PF_HandleSuite1* handles = handleSuite(scope);
        platform::ScopedLock lock(memoryLock);
        auto handle = reinterpret_cast<PF_Handle>(static_cast<std::uintptr_t>(AEMemory::headerOf(block)->handle));
        if (handle != nullptr) {
            handles->host_unlock_handle(handle);
            handles->host_dispose_handle(handle);
        }
    } catch (...) {
    }
}

}  // namespace AEUtil
