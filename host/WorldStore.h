#pragma once
// The effect worlds the host knows: those it made for the effect through the
// world suites (counted until disposed of) and the frame worlds it lends for
// one render (input and output). Worlds are recognised by their pixel
// address, so a copy of a world's record still counts as that world. Safe to
// call from several threads.

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include "host/CallCountdown.h"
#include "host/Image.h"
#include "host/RecycledImages.h"
#include "hostapi/HostApi.h"

namespace vmhost {

class WorldStore {
public:
    // `rowPadding`: bytes after each row of a new world, so that code that
    // steps rows by width gets the wrong pixels; a whole number of float
    // channels keeps every depth aligned. `fillByte`: what uncleared pixels
    // and the padding hold (nullopt: whatever the memory held).
    // `recycledWorlds`: how many disposed worlds are kept for reuse.
    WorldStore(A_long rowPadding, std::optional<std::uint8_t> fillByte, int recycledWorlds = 0);
    ~WorldStore();
    WorldStore(const WorldStore&) = delete;
    WorldStore& operator=(const WorldStore&) = delete;

    // A new world for the effect, its record filled in. PF_Err_OUT_OF_MEMORY
    // for an injected failure or when memory is short, PF_Err_BAD_CALLBACK_PARAM
    // for a negative size, an unknown format or no record.
    PF_Err create(A_long width, A_long height, PF_PixelFormat format, bool clear, PF_EffectWorld* world);
    // An image for a frame (its output, or an input to read a file into):
    // a recycled one of this format, size and padding when there is one,
    // else new memory. Filled with fillByte() when there is one, else its
    // contents are undefined. Throws std::bad_alloc and as Image does.
    Image newImage(PF_PixelFormat format, A_long width, A_long height, A_long rowPadding = 0);
    // Keeps an image the caller is done with (a frame's output once written)
    // for later worlds and images of its format, size and padding.
    void recycle(Image&& image);
    // Frees a world the effect was given and clears its record;
    // PF_Err_BAD_CALLBACK_PARAM (and a misuse) for any other world.
    PF_Err dispose(PF_EffectWorld* world);
    // The format of any world the host knows, made or lent.
    std::optional<PF_PixelFormat> formatOf(const PF_EffectWorld& world) const;

    // Makes pixels the host did not allocate known as a world of the host
    // while it lives, e.g. a test's own world handed to the effect. Several
    // loans of the same pixels (one input rendered by several frames at
    // once) keep them known until the last one ends.
    class Loan {
    public:
        Loan(WorldStore& store, Image& image);
        Loan(WorldStore& store, const PF_EffectWorld& world, PF_PixelFormat format);
        ~Loan();
        Loan(const Loan&) = delete;
        Loan& operator=(const Loan&) = delete;

    private:
        WorldStore& store_;
        const void* pixels_;
        bool counted_;  // false when the host made the world: it stays as it was
    };

    A_long rowPadding() const;
    // Throws std::invalid_argument for a negative amount or one that is not
    // whole float channels.
    void setRowPadding(A_long bytes);
    std::optional<std::uint8_t> fillByte() const { return fillByte_; }

    // Accounting of the effect's worlds.
    int outstanding() const;        // made and not yet disposed of
    long long creations() const;    // successful ones since construction
    int misuses() const;            // disposals of worlds the effect was not given
    int recycled() const;           // disposed worlds kept for reuse

    // Fails the Nth world creation from now (1 = the next one); 0 disarms.
    void failNthCreation(int n);

private:
    struct Entry {
        PF_PixelFormat format;
        std::unique_ptr<Image> owned;  // null for a lent world
        int loans = 0;
    };

    // A recycled image when one fits, else new memory; filled when the store has a fill byte.
    std::unique_ptr<Image> obtain(PF_PixelFormat format, A_long width, A_long height, A_long padding);

    const std::optional<std::uint8_t> fillByte_;
    mutable std::mutex mutex_;
    A_long rowPadding_;
    std::map<const void*, Entry> worlds_;
    RecycledImages recycledImages_;
    int outstanding_ = 0;
    long long creations_ = 0;
    int misuses_ = 0;
    CallCountdown creationFailure_;
};

}  // namespace vmhost
