#pragma once
// Whether each 8-bit host colour matches the frame's key colours, as far as the workers have
// found out: two bits for every one of the 2^24 colours (4 MiB). The host's conversion depends
// on the colour alone, so each colour costs one host call per worker (rarely one more, below).
//
// Shared by the workers of one frame: a worker that finds no verdict yet asks the host itself;
// two workers asking for the same colour store the same bits. A verdict is stored by reading
// its byte and writing it back with the new bits, without a locked instruction (which cost a
// fifth of the matching): when two workers store into one byte at the same moment, one of the
// two verdicts can be lost. It is then unknown again and asked again, with the same answer, so
// a lost verdict costs one more host call and never changes a mask.

#include "hostapi/HostApi.h"

#include <atomic>
#include <cstdint>
#include <memory>

class ColorVerdicts {
public:
    enum Verdict : std::uint8_t { kUnknown = 0, kNoMatch = 1, kMatch = 2 };

    ColorVerdicts() : bits_(new std::atomic<std::uint8_t>[kBytes]()) {}

    // A colour as one number: red << 16 | green << 8 | blue.
    static std::uint32_t rgbOf(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
        return std::uint32_t(red) << 16 | std::uint32_t(green) << 8 | blue;
    }
    static PF_Pixel pixelOf(std::uint32_t rgb) {
        return PF_Pixel{255, static_cast<A_u_char>(rgb >> 16), static_cast<A_u_char>(rgb >> 8),
                        static_cast<A_u_char>(rgb)};
    }

    Verdict find(std::uint32_t rgb) const {
        const std::uint8_t byte = bits_[rgb >> 2].load(std::memory_order_relaxed);
        return static_cast<Verdict>((byte >> shiftOf(rgb)) & 3u);
    }
    void put(std::uint32_t rgb, Verdict verdict) {
        std::atomic<std::uint8_t>& byte = bits_[rgb >> 2];
        byte.store(static_cast<std::uint8_t>(byte.load(std::memory_order_relaxed) | verdict << shiftOf(rgb)),
                   std::memory_order_relaxed);
    }

private:
    static constexpr std::size_t kBytes = (std::size_t(1) << 24) / 4;

    static unsigned shiftOf(std::uint32_t index) { return (index & 3u) * 2; }

    std::unique_ptr<std::atomic<std::uint8_t>[]> bits_;
};
