#include "render/EdgeFlagMap.h"

#include <cstring>

EdgeFlagMap::~EdgeFlagMap() {
    if (worlds_ != nullptr) worlds_->dispose_world(effectRef_, &world_);
}

PF_Err EdgeFlagMap::create(const PF_WorldSuite1& worlds, PF_ProgPtr effectRef, std::int32_t width,
                           std::int32_t height, bool clearNow) {
    const std::int32_t stride = strideFor(width);
    const std::int32_t rows = height + 2;
    PF_EffectWorld world{};
    // Four flag bytes to each 8-bit pixel of the world.
    const PF_Err err = worlds.new_world(effectRef, stride / 4, rows, PF_NewWorldFlag_NONE, &world);
    if (err != PF_Err_NONE) return err;
    worlds_ = &worlds;
    effectRef_ = effectRef;
    world_ = world;
    // The map is laid out with its own stride, so the world's rows must hold at least as much.
    if (world.data == nullptr || world.rowbytes < stride) return PF_Err_INTERNAL_STRUCT_DAMAGED;

    bytes_ = reinterpret_cast<std::uint8_t*>(world.data);
    width_ = width;
    height_ = height;
    stride_ = stride;
    origin_ = bytes_ + stride + 4;
    if (clearNow) std::memset(bytes_, 0, std::size_t(rows) * std::size_t(stride));
    flaggedRows_.assign(std::size_t(height), 0);
    return PF_Err_NONE;
}

void EdgeFlagMap::clearRows(std::int32_t firstRow, std::int32_t endRow) {
    // An empty band clears nothing, not even a border row another band clears.
    if (firstRow >= endRow) return;
    // Image row y is map row y + 1; map rows 0 and height + 1 are the border rows.
    const std::int32_t firstMapRow = firstRow == 0 ? 0 : firstRow + 1;
    const std::int32_t endMapRow = endRow == height_ ? height_ + 2 : endRow + 1;
    std::memset(bytes_ + std::ptrdiff_t(firstMapRow) * stride_, 0,
                std::size_t(endMapRow - firstMapRow) * std::size_t(stride_));
}
