#pragma once
// The Options dialog's banner: a 730 x 130 picture drawn in code at build time, written
// as a 32-bit bottom-up BMP file for the resource compiler.

#include <cstdint>
#include <vector>

namespace plugin {

constexpr int kBannerWidth = 730;
constexpr int kBannerHeight = 130;

// The whole BMP file: file header, info header, then rows of blue, green, red, alpha.
std::vector<std::uint8_t> buildBannerBmp();

}  // namespace plugin
