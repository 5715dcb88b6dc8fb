#pragma once
// Windows resource files store their numbers least significant byte first.

#include <cstdint>
#include <vector>

namespace plugin {

// Appends the low `bytes` bytes of value, least significant first.
inline void appendLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace plugin
