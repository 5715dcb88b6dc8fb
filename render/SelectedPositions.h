#pragma once
// Walking the selected positions of a line of mask bytes, sixteen bytes at a time: a block
// without a selected byte costs one compare, and one with some visits only those, without a
// branch per unselected byte.

#include <emmintrin.h>

#include <cstdint>

// for (std::int32_t x; positions.next(x);) gives the nonzero bytes of mask[0, length) in order.
class SelectedPositions {
public:
    SelectedPositions(const std::uint8_t* mask, std::int32_t length) : mask_(mask), length_(length) {}

    bool next(std::int32_t& x) {
        while (bits_ == 0) {
            if (blockEnd_ >= length_) return false;
            block_ = blockEnd_;
            if (block_ + kBlock <= length_) {
                const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(mask_ + block_));
                const int unselected = _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_setzero_si128()));
                bits_ = ~static_cast<unsigned>(unselected) & 0xFFFFu;
                blockEnd_ = block_ + kBlock;
            } else {
                for (std::int32_t i = block_; i < length_; ++i) bits_ |= (mask_[i] != 0 ? 1u : 0u) << (i - block_);
                blockEnd_ = length_;
            }
        }
        x = block_ + __builtin_ctz(bits_);
        bits_ &= bits_ - 1;
        return true;
    }

private:
    static constexpr std::int32_t kBlock = 16;
    const std::uint8_t* mask_;
    std::int32_t length_;
    std::int32_t block_ = 0, blockEnd_ = 0;
    unsigned bits_ = 0;
};

// visit(x) for every nonzero byte of mask[0, length), in order.
template <class Visit>
void forEachSelected(const std::uint8_t* mask, std::int32_t length, Visit visit) {
    SelectedPositions positions(mask, length);
    for (std::int32_t x; positions.next(x);) visit(x);
}
