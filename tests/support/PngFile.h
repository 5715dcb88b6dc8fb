#pragma once
// Writes 8-bit RGBA pictures as PNG files (stored, uncompressed), so that screenshots
// taken by tests can be looked at with any viewer.

#include <cstdint>
#include <string>
#include <vector>

// rgba: width * height * 4 bytes, top row first. False when the file cannot be written.
bool writePngFile(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgba);
