#pragma once
// Owning bytes for pixels that are not initialised when made: unlike a
// std::vector, a new buffer touches none of its pages, so a frame-sized
// buffer costs nothing until it is written. Copies are deep.

#include <cstddef>
#include <cstdint>
#include <memory>

namespace vmhost {

class PixelBuffer {
public:
    PixelBuffer() = default;
    // `size` bytes of undefined contents. Throws std::bad_alloc.
    explicit PixelBuffer(std::size_t size);
    PixelBuffer(std::size_t size, std::uint8_t fillByte);
    PixelBuffer(const PixelBuffer& other);
    PixelBuffer& operator=(const PixelBuffer& other);
    PixelBuffer(PixelBuffer&& other) noexcept;
    PixelBuffer& operator=(PixelBuffer&& other) noexcept;

    std::uint8_t* data() { return bytes_.get(); }
    const std::uint8_t* data() const { return bytes_.get(); }
    std::size_t size() const { return size_; }

private:
    struct Free {
        void operator()(std::uint8_t* bytes) const;
    };
    std::unique_ptr<std::uint8_t, Free> bytes_;
    std::size_t size_ = 0;
};

}  // namespace vmhost
