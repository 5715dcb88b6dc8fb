#pragma once
// Shared ownership of a temporary effect world made through the host's world suite. The
// last holder hands the world back to the host with the effect reference it was made
// with, so a pointer must not outlive the host command that made it. The use count is
// a plain integer: a pointer and its copies stay on one thread.

#include "hostapi/HostApi.h"

#include <cstdint>

namespace AEUtil {

class EffectWorldPtr {
public:
    // Empty: no world.
    EffectWorldPtr() = default;
    EffectWorldPtr(const EffectWorldPtr& other);
    EffectWorldPtr& operator=(const EffectWorldPtr& other);
    ~EffectWorldPtr();

    // -1 when empty. Otherwise drops this holder's share and empties it; the last share
    // disposes of the world and frees the block (0), else the remaining count is returned.
    std::int32_t release();

    PF_EffectWorld* get() const { return world_; }
    PF_EffectWorld* operator->() const { return world_; }
    PF_EffectWorld& operator*() const { return *world_; }
    explicit operator bool() const { return world_ != nullptr; }
    std::int32_t useCount() const;

private:
    // newWorld's access to the block, which no other user should see.
    friend struct EffectWorldBlockAccess;

    struct Block {
        SPBasicSuite* basic;
        PF_ProgPtr effectRef;
        PF_EffectWorld world;
        std::int32_t useCount;
    };

    // Takes the one share of a fresh block.
    explicit EffectWorldPtr(Block* block) : block_(block), world_(&block->world) {}

    Block* block_ = nullptr;
    PF_EffectWorld* world_ = nullptr;
};

}  // namespace AEUtil
