#pragma once
// How large an input frame may be before it is refused.

#include <cstdint>

namespace vmcli {

// Frames bigger than this many pixels are refused before any memory is taken
// for them: enough for a 16K float frame (16384 x 16384, 4 GB of pixels).
constexpr std::uint64_t kDefaultMaxPixels = std::uint64_t{16384} * 16384;

}  // namespace vmcli
