#include "host/PixelBuffer.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace vmhost {

namespace {

#if defined(__linux__) && defined(MADV_HUGEPAGE)
// Frame-sized buffers sit on 2 MB boundaries and ask for transparent huge
// pages where the system gives them on request: a fresh frame then faults in
// a few dozen pages instead of thousands, which cost more than copying it.
constexpr std::size_t kHugePage = std::size_t(2) << 20;
constexpr std::size_t kHugeBufferFrom = 4 * kHugePage;
#endif

// Not initialised on purpose: large blocks come straight from the OS and stay
// unmapped until written.
std::uint8_t* allocate(std::size_t size) {
    void* bytes = nullptr;
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (size >= kHugeBufferFrom) {
        const std::size_t rounded = (size + kHugePage - 1) / kHugePage * kHugePage;
        bytes = std::aligned_alloc(kHugePage, rounded);
        if (bytes) madvise(bytes, rounded, MADV_HUGEPAGE);
    }
#endif
    if (!bytes) bytes = std::malloc(size ? size : 1);
    if (!bytes) throw std::bad_alloc();
    return static_cast<std::uint8_t*>(bytes);
}

}  // namespace

void PixelBuffer::Free::operator()(std::uint8_t* bytes) const {
    std::free(bytes);
}

PixelBuffer::PixelBuffer(std::size_t size) : bytes_(allocate(size)), size_(size) {}

PixelBuffer::PixelBuffer(std::size_t size, std::uint8_t fillByte) : PixelBuffer(size) {
    std::memset(bytes_.get(), fillByte, size);
}

PixelBuffer::PixelBuffer(const PixelBuffer& other) : PixelBuffer(other.size_) {
    if (size_) std::memcpy(bytes_.get(), other.bytes_.get(), size_);
}

PixelBuffer& PixelBuffer::operator=(const PixelBuffer& other) {
    if (this != &other) *this = PixelBuffer(other);
    return *this;
}

PixelBuffer::PixelBuffer(PixelBuffer&& other) noexcept
    : bytes_(std::move(other.bytes_)), size_(std::exchange(other.size_, 0)) {}

PixelBuffer& PixelBuffer::operator=(PixelBuffer&& other) noexcept {
    bytes_ = std::move(other.bytes_);
    size_ = std::exchange(other.size_, 0);
    return *this;
}

}  // namespace vmhost
