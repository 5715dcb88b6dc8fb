#pragma once
// Which steps of the edge smoothing pass can apply at a pixel, from the flags of its window
// alone (the MayApply tests beside each step). Cel art repeats a few shapes of edge over and
// over, so the answers are kept per window in a small cache: most pixels then find theirs
// with one lookup instead of a dozen tests.

#include "render/EdgeDiagonalChains.h"
#include "render/EdgeFlagWindow.h"
#include "render/EdgeNotchRestores.h"
#include "render/EdgeSpikesAndCorners.h"
#include "render/EdgeStaircaseSteps.h"
#include "render/EdgeTouchesAndBleeds.h"

#include <array>
#include <cstdint>

enum StepGate : std::uint32_t {
    GateStepLeft = 1u << 0,
    GateStepRight = 1u << 1,
    GateStepUp = 1u << 2,
    GateStepDown = 1u << 3,
    GateVerticalChains = 1u << 4,
    GateHorizontalChains = 1u << 5,
    GateNotchA = 1u << 6,
    GateNotchB = 1u << 7,
    GateNotchC = 1u << 8,
    GateSpike = 1u << 9,
    GateCorner = 1u << 10,
    GateBleed = 1u << 11,
    GateTouch = 1u << 12,
};

// Whether the step of gate g may apply in this window.
inline bool gateOpen(const EdgeFlagWindow& n, StepGate g) {
    switch (g) {
    case GateStepLeft: return stepLeftMayApply(n);
    case GateStepRight: return stepRightMayApply(n);
    case GateStepUp: return stepUpMayApply(n);
    case GateStepDown: return stepDownMayApply(n);
    case GateVerticalChains: return verticalEdgeChainsMayApply(n);
    case GateHorizontalChains: return horizontalEdgeChainsMayApply(n);
    case GateNotchA: return notchRestoreAMayApply(n);
    case GateNotchB: return notchRestoreBMayApply(n);
    case GateNotchC: return notchRestoreCMayApply(n);
    case GateSpike: return spikeMayApply(n);
    case GateCorner: return cornerMayApply(n);
    case GateBleed: return bleedMayApply(n);
    case GateTouch: return touchMayApply(n);
    }
    return true;
}

// The gates of every step that may apply in this window; those of the steps of a right
// (down) difference only where the pixel has one.
inline std::uint32_t stepGates(const EdgeFlagWindow& n) {
    std::uint32_t gates = 0;
    const auto test = [&](StepGate g) { gates |= gateOpen(n, g) ? std::uint32_t(g) : 0u; };
    test(GateSpike);
    test(GateCorner);
    test(GateBleed);
    if (n.R(0, 0)) {
        for (StepGate g : {GateStepLeft, GateStepRight, GateVerticalChains, GateNotchA, GateTouch}) test(g);
    }
    if (n.D(0, 0)) {
        for (StepGate g : {GateStepUp, GateStepDown, GateHorizontalChains, GateNotchB}) test(g);
        if (n.R(0, 0)) test(GateNotchC);
    }
    return gates;
}

// Gates tested as the steps come to them.
class WindowGates {
public:
    explicit WindowGates(const EdgeFlagWindow& n) : n_(n) {}
    bool open(StepGate g) const { return gateOpen(n_, g); }
    // Which gates are open is not known beforehand.
    bool exactly(std::uint32_t) const { return false; }

private:
    EdgeFlagWindow n_;
};

// Gates known beforehand (stepGates).
class KnownGates {
public:
    explicit KnownGates(std::uint32_t gates) : gates_(gates) {}
    bool open(StepGate g) const { return (gates_ & g) != 0; }
    // Whether the open gates are exactly those of `gates`.
    bool exactly(std::uint32_t gates) const { return gates_ == gates; }

private:
    std::uint32_t gates_;
};

// The gates of recently seen windows, by their keys; one per scan of a band, never shared.
// Where windows rarely repeat (noise, photographs) lookups mostly miss and testing every gate
// beforehand costs more than testing those the steps come to: there the cache rests a few rows
// at a time.
class StepGateCache {
public:
    // Whether the scan looks its gates up here on this row.
    bool inUse() const { return restingRows_ == 0; }
    // Ends a row: after a row whose lookups mostly missed the cache rests.
    void endRow() {
        if (restingRows_ > 0) {
            --restingRows_;
            return;
        }
        if (lookups_ >= kFewestLookups && 2 * misses_ > lookups_) restingRows_ = kRestingRows;
        lookups_ = misses_ = 0;
    }

    KnownGates gates(const EdgeFlagWindow& n) {
        const std::uint64_t key = n.key();
        Slot& slot = slots_[(key * 0x9e3779b97f4a7c15u) >> (64 - kSlotBits)];
        ++lookups_;
        if (slot.key != key) {
            ++misses_;
            slot.key = key;
            slot.gates = stepGates(n);
        }
        return KnownGates(slot.gates);
    }

private:
    static constexpr int kSlotBits = 10;
    static constexpr int kFewestLookups = 32;
    static constexpr int kRestingRows = 15;
    // No window has this key: the high nibbles of its upper four bytes are always clear.
    static constexpr std::uint64_t kNoKey = std::uint64_t(0xf0) << 32;
    struct Slot {
        std::uint64_t key = kNoKey;
        std::uint32_t gates = 0;
    };
    std::array<Slot, std::size_t(1) << kSlotBits> slots_{};
    int lookups_ = 0;
    int misses_ = 0;
    int restingRows_ = 0;
};
