#pragma once
// A world in test memory, laid out as the host lays one out but with spare bytes at the
// end of every row, so that code which ignores rowbytes reads and writes the wrong pixels.
// The spare bytes hold a pattern that paddingIntact() checks.

#include "hostapi/HostApi.h"

#include <cstdint>
#include <cstring>
#include <type_traits>
#include <vector>

template <class Pixel>
class TestWorld {
public:
    static constexpr std::uint8_t kPaddingByte = 0xCD;

    TestWorld(A_long width, A_long height, A_long sparePixels = 3)
        : rowbytes_(static_cast<A_long>((width + sparePixels) * sizeof(Pixel) + 8)),
          bytes_(static_cast<std::size_t>(rowbytes_) * height, kPaddingByte) {
        std::memset(&world_, 0, sizeof world_);
        world_.data = reinterpret_cast<PF_PixelPtr>(bytes_.data());
        world_.rowbytes = rowbytes_;
        world_.width = width;
        world_.height = height;
        world_.world_flags = PF_WorldFlag_WRITEABLE | (std::is_same<Pixel, PF_Pixel8>::value ? 0 : PF_WorldFlag_DEEP);
        for (A_long y = 0; y < height; ++y) {
            for (A_long x = 0; x < width; ++x) at(x, y) = Pixel{};
        }
    }
    TestWorld(const TestWorld& other) : rowbytes_(other.rowbytes_), bytes_(other.bytes_), world_(other.world_) {
        world_.data = reinterpret_cast<PF_PixelPtr>(bytes_.data());
    }
    TestWorld& operator=(const TestWorld&) = delete;

    PF_EffectWorld* world() { return &world_; }
    A_long width() const { return world_.width; }
    A_long height() const { return world_.height; }

    Pixel& at(A_long x, A_long y) { return reinterpret_cast<Pixel*>(bytes_.data() + y * rowbytes_)[x]; }
    const Pixel& at(A_long x, A_long y) const {
        return reinterpret_cast<const Pixel*>(bytes_.data() + y * rowbytes_)[x];
    }

    bool sameBytes(const TestWorld& other) const { return bytes_ == other.bytes_; }

    bool paddingIntact() const {
        const std::size_t used = static_cast<std::size_t>(world_.width) * sizeof(Pixel);
        for (A_long y = 0; y < world_.height; ++y) {
            for (std::size_t i = used; i < static_cast<std::size_t>(rowbytes_); ++i) {
                if (bytes_[static_cast<std::size_t>(y) * rowbytes_ + i] != kPaddingByte) return false;
            }
        }
        return true;
    }

private:
    A_long rowbytes_;
    std::vector<std::uint8_t> bytes_;
    PF_EffectWorld world_;
};
