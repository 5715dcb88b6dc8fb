#include "render/SelectionMask.h"

#include "AEUtil/AEMemory.h"
#include "AEUtil/HostError.h"

#include <cstring>

namespace {

std::size_t roundUpTo4(std::int32_t n) { return (static_cast<std::size_t>(n) + 3) & ~static_cast<std::size_t>(3); }

void clearFlags(SelectionMask& mask) {
    std::memset(mask.rowFlags, 0, static_cast<std::size_t>(mask.height));
    std::memset(mask.columnFlags, 0, static_cast<std::size_t>(mask.width));
}

}  // namespace

std::size_t maskBufferSize(std::int32_t width, std::int32_t height) {
    if (width <= 0 || height <= 0) return 0;
    return (static_cast<std::size_t>(height) + 1) * roundUpTo4(width) + roundUpTo4(height);
}

void allocateMask(SelectionMask& mask, PF_InData* inData, std::int32_t width, std::int32_t height) {
    const std::size_t size = maskBufferSize(width, height);
    if (size == 0) {
        mask = SelectionMask();
        return;
    }
    // Without a basic suite AEMemory answers null; a mask with sizes but no bytes would be
    // written through later, so this is refused like any other missing suite.
    SPBasicSuite* basic = inData != nullptr ? inData->pica_basicP : nullptr;
    if (basic == nullptr) AEUtil::throwHostError(PF_Err_BAD_CALLBACK_PARAM);

    SelectionMask fresh;
    fresh.bytes = AEUtil::makeHostBuffer(size, basic);
    fresh.width = width;
    fresh.height = height;
    fresh.stride = static_cast<std::int32_t>(roundUpTo4(width));
    fresh.rowFlags = fresh.bytes.get() + static_cast<std::size_t>(height) * fresh.stride;
    fresh.columnFlags = fresh.rowFlags + roundUpTo4(height);
    mask = fresh;
}

void fillMask(SelectionMask& mask) {
    if (mask.empty()) return;
    for (std::int32_t y = 0; y < mask.height; ++y) {
        std::memset(mask.row(y), kMaskSelected, static_cast<std::size_t>(mask.width));
    }
    std::memset(mask.rowFlags, 1, static_cast<std::size_t>(mask.height));
    std::memset(mask.columnFlags, 1, static_cast<std::size_t>(mask.width));
}

void invertMask(SelectionMask& mask) {
    if (mask.empty()) return;
    clearFlags(mask);
    for (std::int32_t y = 0; y < mask.height; ++y) {
        std::uint8_t* bytes = mask.row(y);
        std::uint8_t any = 0;
        for (std::int32_t x = 0; x < mask.width; ++x) {
            const std::uint8_t selected = bytes[x] == 0 ? 1 : 0;
            bytes[x] = selected ? kMaskSelected : 0;
            mask.columnFlags[x] |= selected;
            any |= selected;
        }
        mask.rowFlags[y] = any;
    }
}

void updateMaskFlags(SelectionMask& mask) {
    if (mask.empty()) return;
    clearFlags(mask);
    for (std::int32_t y = 0; y < mask.height; ++y) {
        const std::uint8_t* bytes = mask.row(y);
        std::uint8_t any = 0;
        for (std::int32_t x = 0; x < mask.width; ++x) {
            const std::uint8_t selected = bytes[x] != 0 ? 1 : 0;
            mask.columnFlags[x] |= selected;
            any |= selected;
        }
        mask.rowFlags[y] = any;
    }
}

std::int64_t countSelected(const SelectionMask& mask) {
    std::int64_t count = 0;
    for (std::int32_t y = 0; y < mask.height; ++y) {
        if (mask.rowFlags[y] == 0) continue;
        const std::uint8_t* bytes = mask.row(y);
        std::int32_t rowCount = 0;
        for (std::int32_t x = 0; x < mask.width; ++x) rowCount += bytes[x] != 0 ? 1 : 0;
        count += rowCount;
    }
    return count;
}
