#include "host/PixelBuffer.h"

#include <cstring>
#include <utility>

namespace vmhost {

// Default-initialised on purpose: large blocks come straight from the OS and
// stay unmapped until written.
PixelBuffer::PixelBuffer(std::size_t size) : bytes_(new std::uint8_t[size]), size_(size) {}

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
