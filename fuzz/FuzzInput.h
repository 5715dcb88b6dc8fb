#pragma once
// Reads a fuzzer's bytes as a sequence of small values; past the end every read gives
// zeros, so any input is a complete case.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace vmfuzz {

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::size_t remaining() const { return size_ - position_; }

    template <class T>
    T take() {
        T value{};
        const std::size_t n = remaining() < sizeof value ? remaining() : sizeof value;
        if (n) std::memcpy(&value, data_ + position_, n);
        position_ += n;
        return value;
    }

    // A value from 0 to count - 1 (count > 0).
    unsigned pick(unsigned count) { return take<std::uint8_t>() % count; }

    // Up to the next zero byte (dropped) or the end.
    std::string takeString() {
        std::string text;
        while (position_ < size_ && data_[position_] != 0) text.push_back(static_cast<char>(data_[position_++]));
        if (position_ < size_) ++position_;
        return text;
    }

    std::vector<std::uint8_t> takeRest() {
        std::vector<std::uint8_t> rest(data_ + position_, data_ + size_);
        position_ = size_;
        return rest;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

// A fault the sanitizers cannot see (a broken promise of the code under test): stop
// so the fuzzer keeps the input.
[[noreturn]] inline void fuzzFault(const char* what) {
    std::fprintf(stderr, "fuzz fault: %s\n", what);
    __builtin_trap();
}

}  // namespace vmfuzz
