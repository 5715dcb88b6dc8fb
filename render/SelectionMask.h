#pragma once
// The per-frame selection: one byte per pixel of the render area (0 = not selected),
// plus one flag per row and per column so that passes can skip empty lines.
//
// Layout of `bytes` (one host memory block): `height` rows of `stride` mask bytes, then
// the row flags in a block of `height` rounded up to 4, then the column flags in a block
// of `stride` bytes. Mask byte (x, y) belongs to world pixel (area.left + x, area.top + y).

#include "AEUtil/SharedArray.h"
#include "hostapi/HostApi.h"

#include <cstdint>

struct SelectionMask {
    // Copies share the buffer; the last holder gives it back to the host.
    AEUtil::SharedArray<std::uint8_t> bytes;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t stride = 0;  // `width` rounded up to a multiple of 4
    std::uint8_t* rowFlags = nullptr;
    std::uint8_t* columnFlags = nullptr;

    std::uint8_t* row(std::int32_t y) const { return bytes.get() + static_cast<std::ptrdiff_t>(y) * stride; }
    bool empty() const { return width == 0 || height == 0; }
};

// The value the builders write for a selected pixel.
constexpr std::uint8_t kMaskSelected = 255;

// Bytes of the mask buffer for that size: (height + 1) * stride + height rounded up to 4.
std::size_t maskBufferSize(std::int32_t width, std::int32_t height);

// A fresh buffer for the size from the host's handle memory, or an empty mask (no
// buffer, all sizes 0) when the area is empty. The contents are undefined until filled.
// Throws the out-of-memory AEException of AEMemory, and the bare 516 without a basic suite.
void allocateMask(SelectionMask& mask, PF_InData* inData, std::int32_t width, std::int32_t height);

// Every pixel selected, every flag set.
void fillMask(SelectionMask& mask);

// Selected pixels become unselected and the other way round; flags follow.
void invertMask(SelectionMask& mask);

// Row and column flags recomputed from the mask bytes.
void updateMaskFlags(SelectionMask& mask);

// How many pixels are selected.
std::int64_t countSelected(const SelectionMask& mask);
