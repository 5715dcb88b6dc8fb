#pragma once
// Whether each 8-bit host colour matches the frame's key colours, as far as the workers have
// found out: two bits for every one of the 2^24 colours (4 MiB). The host's conversion depends
// on the colour alone, so each colour costs at most one host call per worker, and neighbouring
// colours of footage (which differ in their low bits) share cache lines.
//
// Shared by the workers of one frame: a verdict is stored with an atomic OR, and a worker that
// finds none yet asks the host itself; two workers asking for the same colour store the same
// bits.

#include "hostapi/HostApi.h"

#include <atomic>
#include <cstdint>
#include <memory>

class ColorVerdicts {
public:
    enum Verdict : std::uint8_t { kUnknown = 0, kNoMatch = 1, kMatch = 2 };

    ColorVerdicts() : bits_(new std::atomic<std::uint8_t>[kBytes]()) {}

    Verdict find(const PF_Pixel& color) const {
        const std::uint32_t index = indexOf(color);
        const std::uint8_t byte = bits_[index >> 2].load(std::memory_order_relaxed);
        return static_cast<Verdict>((byte >> shiftOf(index)) & 3u);
    }
    void put(const PF_Pixel& color, Verdict verdict) {
        const std::uint32_t index = indexOf(color);
        bits_[index >> 2].fetch_or(static_cast<std::uint8_t>(verdict << shiftOf(index)), std::memory_order_relaxed);
    }

private:
    static constexpr std::size_t kBytes = (std::size_t(1) << 24) / 4;

    static std::uint32_t indexOf(const PF_Pixel& c) {
        return (std::uint32_t(c.red) << 16) | (std::uint32_t(c.green) << 8) | c.blue;
    }
    static unsigned shiftOf(std::uint32_t index) { return (index & 3u) * 2; }

    std::unique_ptr<std::atomic<std::uint8_t>[]> bits_;
};
