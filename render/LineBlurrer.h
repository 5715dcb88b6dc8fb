#pragma once
// One line (a row of the area, or a gathered column) of a blur pass, channel by channel.
//
// Only selected pixels are written, and only when the window holds a contributing pixel:
// every selected pixel contributes to alpha, selected pixels that are not transparent to
// the colours. The window is [x - h, x + h] cut to the line or, with keepDivision, to the
// run of selected pixels holding x. Window sums slide, so the box and the Gaussian's flat
// tail cost O(1) per pixel; the Gaussian's peak costs at most 199 multiply-adds.

#include "render/BlurArithmetic.h"
#include "render/BlurKernels.h"
#include "render/PixelTraits.h"

#include <array>
#include <cstdint>
#include <vector>

template <class Pixel>
struct BlurLine {
    const Pixel* source;       // the pass's source pixels, contiguous
    const std::uint8_t* mask;  // the mask bytes along the line
    Pixel* target;             // contiguous; written at selected positions only
    std::int32_t length;
};

// Scratch for the lines of one worker; not shared between threads.
template <class Pixel>
class LineBlurrer {
public:
    // `quotients` must know every divisor of the lines: 32768 and the longest line.
    LineBlurrer(std::int32_t maxLength, const QuotientTable& quotients);

    void blur(const BlurLine<Pixel>& line, const BoxWindowSet& windows, bool keepDivision);
    void blur(const BlurLine<Pixel>& line, const GaussKernelSet& kernels, bool keepDivision);

private:
    using Channel = typename PixelTraits<Pixel>::Channel;
    using Math = BlurArithmetic<Channel>;
    using Value = typename Math::Value;

    // Positions [first, first + length) of the current line, loaded with zero borders
    // wide enough for the Gaussian's peak.
    struct Span {
        std::int32_t first;
        std::int32_t length;
    };

    // `border`: zeros behind each loaded span, as far as the kernels read past it.
    template <class SpanWork>
    void forEachSpan(const BlurLine<Pixel>& line, bool keepDivision, std::int32_t border, SpanWork work);
    void loadSpan(const BlurLine<Pixel>& line, Span span, std::int32_t border);

    const Value* values(int channel) const { return values_[channel].data() + kBorder; }
    const std::uint16_t* contributing(int channel) const {
        return (channel == kAlphaChannel ? alphaContributes_ : colorContributes_).data() + kBorder;
    }

    // Slides the window sums of one channel over the loaded span: visit(i, S, N).
    template <class Visit>
    void slideGuarded(int channel, std::int32_t length, std::int32_t halfWidth, Visit visit);

    void boxSpan(const BlurLine<Pixel>& line, Span span, int channel, std::int32_t halfWidth);
    // The box of half-width 0 for integer channels: each pixel that counts keeps its value.
    void copyOwnValues(const BlurLine<Pixel>& line, Span span, int channel);
    void gaussianSpan(const BlurLine<Pixel>& line, Span span, int channel, const GaussKernel& kernel,
                      const std::uint32_t* peakWeights);

    static constexpr std::int32_t kBorder = kKernelPeakCount - 1;

    std::array<std::vector<Value>, 4> values_;
    std::vector<std::uint16_t> alphaContributes_;
    std::vector<std::uint16_t> colorContributes_;
    bool spanHasTransparent_ = false;
    std::array<bool, 4> channelFinite_{true, true, true, true};  // no NaN or infinity among the span's values
    bool allAlphaContribute_ = false;  // every pixel of the span selected
    bool allColorContribute_ = false;  // ... and none of them transparent
    const QuotientTable& quotients_;
    std::vector<typename Math::PeakSum> peakSums_;
    std::array<std::vector<std::uint32_t>, 4> peakWeights_;
};
