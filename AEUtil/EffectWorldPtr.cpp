#include "AEUtil/EffectWorldPtr.h"

#include "AEUtil/AEWorldSuite.h"

#include <utility>

namespace AEUtil {

EffectWorldPtr::EffectWorldPtr(const EffectWorldPtr& other) : block_(other.block_), world_(other.world_) {
    if (block_ != nullptr) ++block_->useCount;
}

EffectWorldPtr& EffectWorldPtr::operator=(const EffectWorldPtr& other) {
    EffectWorldPtr copy(other);  // taken first, so that self-assignment keeps the world alive
    std::swap(block_, copy.block_);
    std::swap(world_, copy.world_);
    return *this;
}

EffectWorldPtr::~EffectWorldPtr() { release(); }

std::int32_t EffectWorldPtr::release() {
    if (block_ == nullptr) return -1;
    Block* block = block_;
    block_ = nullptr;
    world_ = nullptr;
    if (--block->useCount > 0) return block->useCount;
    disposeWorld(block->basic, block->effectRef, &block->world);  // nothing to do about a failure here
    delete block;
    return 0;
}

std::int32_t EffectWorldPtr::useCount() const { return block_ != nullptr ? block_->useCount : 0; }

}  // namespace AEUtil
