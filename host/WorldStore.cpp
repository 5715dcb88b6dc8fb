#include "host/WorldStore.h"

#include <cstring>
#include <new>
#include <stdexcept>

#include "host/PixelFormat.h"

namespace vmhost {

namespace {

void checkPadding(A_long bytes) {
    if (bytes < 0 || bytes % static_cast<A_long>(sizeof(float)) != 0)
        throw std::invalid_argument("WorldStore: row padding must be a non-negative multiple of 4 bytes");
}

}  // namespace

WorldStore::WorldStore(A_long rowPadding, std::optional<std::uint8_t> fillByte, int recycledWorlds)
    : fillByte_(fillByte), rowPadding_(rowPadding), recycledImages_(recycledWorlds) {
    checkPadding(rowPadding);
}

WorldStore::~WorldStore() = default;

PF_Err WorldStore::create(A_long width, A_long height, PF_PixelFormat format, bool clear, PF_EffectWorld* world) {
    A_long padding;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (creationFailure_.countCall()) return PF_Err_OUT_OF_MEMORY;
        padding = rowPadding_;
    }
    if (!world || width < 0 || height < 0 || !isWorldFormat(format)) return PF_Err_BAD_CALLBACK_PARAM;
    std::unique_ptr<Image> image;
    try {
        image = obtain(format, width, height, padding);
    } catch (const std::bad_alloc&) {
        return PF_Err_OUT_OF_MEMORY;
    }
    if (clear) {
        // Only the pixels: the padding keeps the fill byte either way.
        const std::size_t used = static_cast<std::size_t>(width) * bytesPerPixel(format);
        if (padding == 0 && height > 0)
            std::memset(image->row(0), 0, used * height);
        else
            for (A_long y = 0; y < height; ++y) std::memset(image->row(y), 0, used);
    }
    *world = image->world();
    std::lock_guard<std::mutex> lock(mutex_);
    worlds_.emplace(world->data, Entry{format, std::move(image)});
    ++outstanding_;
    ++creations_;
    return PF_Err_NONE;
}

Image WorldStore::newImage(PF_PixelFormat format, A_long width, A_long height, A_long rowPadding) {
    return std::move(*obtain(format, width, height, rowPadding));
}

void WorldStore::recycle(Image&& image) {
    auto kept = std::make_unique<Image>(std::move(image));
    std::lock_guard<std::mutex> lock(mutex_);
    recycledImages_.give(std::move(kept));
}

std::unique_ptr<Image> WorldStore::obtain(PF_PixelFormat format, A_long width, A_long height, A_long padding) {
    std::unique_ptr<Image> image;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        image = recycledImages_.take(format, width, height, padding);
    }
    // Allocated and filled outside the lock: frames on other threads go on meanwhile.
    if (!image) {
        if (fillByte_) return std::make_unique<Image>(format, width, height, padding, *fillByte_);
        return std::make_unique<Image>(Image::unfilled(format, width, height, padding));
    }
    if (fillByte_)
        for (A_long y = 0; y < height; ++y) std::memset(image->row(y), *fillByte_, image->rowbytes());
    image->setOrigin(0, 0);
    return image;
}

PF_Err WorldStore::dispose(PF_EffectWorld* world) {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto it = world ? worlds_.find(world->data) : worlds_.end();
    if (it == worlds_.end() || !it->second.owned) {
        ++misuses_;
        return PF_Err_BAD_CALLBACK_PARAM;
    }
    recycledImages_.give(std::move(it->second.owned));
    worlds_.erase(it);
    --outstanding_;
    // A disposed world's record must not lead to freed pixels.
    std::memset(world, 0, sizeof *world);
    return PF_Err_NONE;
}

std::optional<PF_PixelFormat> WorldStore::formatOf(const PF_EffectWorld& world) const {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto it = worlds_.find(world.data);
    if (it == worlds_.end()) return std::nullopt;
    return it->second.format;
}

WorldStore::Loan::Loan(WorldStore& store, Image& image) : Loan(store, image.world(), image.format()) {}

WorldStore::Loan::Loan(WorldStore& store, const PF_EffectWorld& world, PF_PixelFormat format)
    : store_(store), pixels_(world.data) {
    std::lock_guard<std::mutex> lock(store_.mutex_);
    Entry& entry = store_.worlds_.emplace(pixels_, Entry{format, nullptr}).first->second;
    counted_ = !entry.owned;
    if (counted_) ++entry.loans;
}

WorldStore::Loan::~Loan() {
    if (!counted_) return;
    std::lock_guard<std::mutex> lock(store_.mutex_);
    const auto it = store_.worlds_.find(pixels_);
    if (it != store_.worlds_.end() && --it->second.loans == 0) store_.worlds_.erase(it);
}

A_long WorldStore::rowPadding() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return rowPadding_;
}

void WorldStore::setRowPadding(A_long bytes) {
    checkPadding(bytes);
    std::lock_guard<std::mutex> lock(mutex_);
    rowPadding_ = bytes;
}

int WorldStore::outstanding() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return outstanding_;
}

long long WorldStore::creations() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return creations_;
}

int WorldStore::recycled() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return recycledImages_.size();
}

int WorldStore::misuses() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return misuses_;
}

void WorldStore::failNthCreation(int n) {
    std::lock_guard<std::mutex> lock(mutex_);
    creationFailure_.arm(n);
}

}  // namespace vmhost
