#pragma once
// The blocks of one row of the 8-bit edge flag map: eight pixels at a time on processors with
// AVX2, four at a time (edgeFlagBlock8) on the others, with the same flags either way.

#include "hostapi/HostApi.h"

#include <cstdint>

// Fills flags[0 .. blockEnd) (blockEnd a multiple of 4, below the row's last column) from the
// pixels p of row y over q of row y + 1; returns the OR of the words written.
using EdgeFlagRow8 = std::uint32_t (*)(const PF_Pixel8* p, const PF_Pixel8* q, std::uint8_t* flags, int blockEnd,
                                       std::uint32_t threshold);

// Four pixels at a time, for every processor.
std::uint32_t edgeFlagRow8ByFours(const PF_Pixel8* p, const PF_Pixel8* q, std::uint8_t* flags, int blockEnd,
                                  std::uint32_t threshold);

// The fastest version this processor runs.
EdgeFlagRow8 edgeFlagRow8ForThisProcessor();
