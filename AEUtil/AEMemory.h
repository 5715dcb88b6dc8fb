#pragma once
// Large scratch buffers from the host's handle memory. Each block starts 32 bytes into
// a locked handle; the 32 bytes before it hold the handle, 1, the requested size and 0.

#include "AEUtil/SharedArray.h"
#include "hostapi/HostApi.h"

#include <cstddef>
#include <cstdint>

namespace AEUtil {

struct array_deleterAE;

class AEMemory {
public:
    static constexpr std::size_t kHeaderSize = 32;

    // At least `bytes` bytes, or null for 0 bytes or a null basic suite. Throws the bare
    // error 516 without the handle suite, and AEException(PF_Err_OUT_OF_MEMORY) when the
    // host has no memory or the size does not fit the host's 32-bit request.
    static void* alloc(std::size_t bytes, SPBasicSuite* basic);
    // As above; `release` learns how to give the block back.
    static void* alloc(std::size_t bytes, SPBasicSuite* basic, array_deleterAE& release);

    // The header words in front of a block.
    struct Header {
        std::uint64_t handle;
        std::uint64_t one;
        std::uint64_t size;
        std::uint64_t zero;
    };
    static const Header* headerOf(const void* block) {
        return reinterpret_cast<const Header*>(static_cast<const unsigned char*>(block) - kHeaderSize);
    }
};

// Gives an AEMemory block back to the host: the only way such a block is freed. With the
// handle suite's functions kept from the allocation the block goes back without asking
// the host for the suite again, a request that may be refused (the block would be lost).
struct array_deleterAE {
    SPBasicSuite* basic = nullptr;
    void (*unlockHandle)(PF_Handle) = nullptr;
    void (*disposeHandle)(PF_Handle) = nullptr;
    void operator()(std::uint8_t* block) const noexcept;
};

// A shared byte buffer of host memory; empty (null) for 0 bytes.
inline SharedArray<std::uint8_t> makeHostBuffer(std::size_t bytes, SPBasicSuite* basic) {
    array_deleterAE release{basic};
    auto* block = static_cast<std::uint8_t*>(AEMemory::alloc(bytes, basic, release));
    return SharedArray<std::uint8_t>(block, release);
}

}  // namespace AEUtil
