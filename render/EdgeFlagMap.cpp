#include "render/EdgeFlagMap.h"

EdgeFlagMap::~EdgeFlagMap() {
    if (worlds_ != nullptr) worlds_->dispose_world(effectRef_, &world_);
}

PF_Err EdgeFlagMap::create(const PF_WorldSuite1& worlds, PF_ProgPtr effectRef, std::int32_t width,
                           std::int32_t height) {
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
    std::memset(bytes_, 0, std::size_t(rows) * std::size_t(stride));
    flaggedRows_.assign(std::size_t(height), 0);
    return PF_Err_NONE;
}
