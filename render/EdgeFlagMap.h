#pragma once
// The edge smoothing pass's map of differences: one flag byte per pixel, kept in a scratch
// world of the host. A zero border (one row above and below, four bytes to the left, at least
// one to the right) lets the neighbour tests read past the image without bounds checks: up to
// three columns left, one row up or down, one column right, and two columns right on rows
// above the bottom border (the second lands in the next row's left border).

#include "hostapi/HostApi.h"

#include <cstddef>
#include <cstdint>
#include <vector>

enum EdgeFlag : std::uint8_t {
    FlagRight = 1,         // differs from the pixel to the right
    FlagDown = 2,          // differs from the pixel below
    FlagDiagonal = 4,      // differs from the pixel below right
    FlagAntiDiagonal = 8,  // the pixel below differs from the pixel to the right
};

// The index of the lowest set bit of a non-zero word.
inline int lowestSetBit(std::uint64_t word) {
    return __builtin_ctzll(word);
}

class EdgeFlagMap {
public:
    EdgeFlagMap() = default;
    ~EdgeFlagMap();
    EdgeFlagMap(const EdgeFlagMap&) = delete;
    EdgeFlagMap& operator=(const EdgeFlagMap&) = delete;

    // Bytes per map row: the width plus the border, rounded up to whole 8-bit world pixels.
    static std::int32_t strideFor(std::int32_t width) { return (width + 5 + 3) & ~3; }

    // Gets a cleared map for a width x height image from the host's world suite; returns the
    // host's error, and then holds nothing. With `clearNow` false the bytes are left to
    // clearRows, so that bands of rows can be cleared at once, each just before it is built.
    PF_Err create(const PF_WorldSuite1& worlds, PF_ProgPtr effectRef, std::int32_t width, std::int32_t height,
                  bool clearNow = true);
    // Clears the map rows of image rows [firstRow, endRow), border bytes included, and the
    // border row above the image or below it where the range reaches it; nothing when the
    // range is empty.
    void clearRows(std::int32_t firstRow, std::int32_t endRow);

    // The host world the flags live in.
    const PF_EffectWorld& world() const { return world_; }
    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    std::int32_t stride() const { return stride_; }
    // The first byte of the map, the top-left corner of its border.
    const std::uint8_t* bytes() const { return bytes_; }

    std::uint8_t at(int x, int y) const { return origin_[offset(x, y)]; }
    // Where the flags of (x, y) lie; those of x + 1, ... follow, then the border.
    const std::uint8_t* address(int x, int y) const { return origin_ + offset(x, y); }
    // Stores the flags of pixels x0 .. x0 + 3, that of x0 in the lowest byte.
    void setBlock(int x0, int y, std::uint32_t word) {
        std::uint8_t* p = origin_ + offset(x0, y);
        for (int k = 0; k < 4; ++k) p[k] = static_cast<std::uint8_t>(word >> (8 * k));
        if (word != 0) flaggedRows_[std::size_t(y)] = 1;
    }
    void set(int x, int y, std::uint8_t flags) {
        origin_[offset(x, y)] = flags;
        if (flags != 0) flaggedRows_[std::size_t(y)] = 1;
    }
    // The flags of row y from pixel 0 on, for builders that fill a whole row; they report
    // with markRow whether they set any.
    std::uint8_t* row(int y) { return origin_ + offset(0, y); }
    void markRow(int y, bool flagged) { flaggedRows_[std::size_t(y)] = flagged ? 1 : 0; }

    // Whether row y of the image holds any flag: scans pass over the rows that hold none.
    bool rowFlagged(int y) const { return flaggedRows_[std::size_t(y)] != 0; }

    // The four tests of the pass's rules, named as there: R(x, y) is FlagRight of (x, y), and
    // D, G, A are FlagDown, FlagDiagonal and FlagAntiDiagonal.
    bool R(int x, int y) const { return (at(x, y) & FlagRight) != 0; }
    bool D(int x, int y) const { return (at(x, y) & FlagDown) != 0; }
    bool G(int x, int y) const { return (at(x, y) & FlagDiagonal) != 0; }
    bool A(int x, int y) const { return (at(x, y) & FlagAntiDiagonal) != 0; }

private:
    // From the image's first pixel, which lies one row and four bytes into the map.
    std::ptrdiff_t offset(int x, int y) const { return std::ptrdiff_t(y) * stride_ + x; }

    const PF_WorldSuite1* worlds_ = nullptr;
    PF_ProgPtr effectRef_ = nullptr;
    PF_EffectWorld world_{};
    std::uint8_t* bytes_ = nullptr;
    std::uint8_t* origin_ = nullptr;  // the image's first pixel
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::int32_t stride_ = 0;
    std::vector<std::uint8_t> flaggedRows_;
};
