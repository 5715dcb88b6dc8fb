#pragma once
// The box passes of 16-bit worlds over sparse selections, as a key colour picks scattered
// specks out of a picture: each line keeps a list of its selected pixels and the window sums
// slide over that list only, so a pass costs per selected pixel rather than per pixel between
// a line's first and last selected one. Unselected pixels add nothing to a window, and integer
// sums take the same values in any order, so the results are the line blur's to the bit.

#include "render/BlurPass.h"
#include "render/LineBlurrer.h"

#include <cstdint>
#include <vector>

// The selected pixels of one row, with what each adds to the windows of every channel:
// its value and a count of 1 where it counts (every selected pixel for alpha, the ones that
// are not transparent for the colours), 0 and 0 where it does not.
class SelectedPixelRow {
public:
    explicit SelectedPixelRow(std::int32_t maxLength);

    // Collects the selected pixels of `line`; returns how many there are.
    std::int32_t collect(const BlurLine<PF_Pixel16>& line);

    // The box pass without keep-division over the collected line, writing the selected pixels
    // of `line.target`.
    void box(const BlurLine<PF_Pixel16>& line, const BoxWindowSet& windows, const QuotientTable& quotients) const;

private:
    std::int32_t size_ = 0;
    std::vector<std::int32_t> positions_;
    std::vector<std::uint16_t> values_[4];
    std::vector<std::uint16_t> colorCounts_;
};

// Whether a line of `length` pixels with `selected` of them selected is blurred faster from
// its list than by the line blur, which reads every pixel between its first and last selected one.
inline bool sparseEnoughForTheList(std::int64_t selected, std::int64_t length) { return selected * 4 <= length; }

// The vertical box pass without keep-division over the columns [first, first + count) of the
// area, a row at a time: each column keeps its window sums, which only the selected pixels of
// the rows entering and leaving the windows change, the channels of equal reach in one vector.
// False (nothing written) with keep-division or when the band's selection is too dense for
// that to pay.
bool sweepSelectedColumns(const BlurTask<BoxWindowSet>& task, std::int32_t first, std::int32_t count);
