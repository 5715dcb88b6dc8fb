#pragma once
// Serialises the PiPL resource: the property list the host reads before it loads the effect.

#include <cstdint>
#include <vector>

namespace plugin {

std::vector<std::uint8_t> buildPipl();

}  // namespace plugin
