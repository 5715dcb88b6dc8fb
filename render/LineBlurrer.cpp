#include "render/LineBlurrer.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace {

// Outputs are computed in fixed blocks, so the compiler vectorises the block loop fully
// (also at -O2) and keeps the block's sums in registers across all distances.
constexpr std::int32_t kConvolutionBlock = 32;

// out[i] = sum over d in [-reach, reach] of centre[i + d] * weights[|d|], for i in
// [0, length) and, as a side effect, up to the next multiple of kConvolutionBlock. The
// caller keeps `reach` zeros on both sides of centre[0, length) and readable memory for
// the block overhang beyond them.
template <class Value, class Sum>
void convolvePeak(const Value* centre, std::int32_t length, const std::uint16_t* weights, std::int32_t reach,
                  Sum* __restrict out) {
    for (std::int32_t first = 0; first < length; first += kConvolutionBlock) {
        const Value* at = centre + first;
        Sum sums[kConvolutionBlock];
        const Sum middle = weights[0];
        for (std::int32_t k = 0; k < kConvolutionBlock; ++k) sums[k] = static_cast<Sum>(at[k]) * middle;
        for (std::int32_t d = 1; d <= reach; ++d) {
            const Sum weight = weights[d];
            const Value* left = at - d;
            const Value* right = at + d;
            for (std::int32_t k = 0; k < kConvolutionBlock; ++k) {
                sums[k] += (static_cast<Sum>(left[k]) + static_cast<Sum>(right[k])) * weight;
            }
        }
        for (std::int32_t k = 0; k < kConvolutionBlock; ++k) out[first + k] = sums[k];
    }
}

// The convolvePeak of all-one flags: when every pixel of a span contributes, the sum of
// the peak weights at i only depends on how far i is from the span's ends.
void fullSpanPeakWeights(std::int32_t length, const std::uint16_t* weights, std::int32_t reach, std::uint32_t* out) {
    std::uint32_t cumulative[kKernelPeakCount];
    std::uint32_t sum = 0;
    for (std::int32_t d = 0; d <= reach; ++d) cumulative[d] = sum += weights[d];
    for (std::int32_t i = 0; i < length; ++i) {
        out[i] = cumulative[std::min(reach, i)] + cumulative[std::min(reach, length - 1 - i)] - weights[0];
    }
}

// Calls visit(i, S, N) for every position i of a span, with S and N the sums of values
// and of contributing flags over [i - halfWidth, i + halfWidth] cut to the span. The sums
// slide: each step takes off the position leaving the window and adds the one entering.
template <class Sum, class Value, class Visit>
void slideWindow(const Value* values, const std::uint16_t* contributes, std::int32_t length, std::int32_t halfWidth,
                 Visit visit) {
    Sum sum = 0;
    std::int32_t count = 0;
    const std::int32_t firstWindowEnd = std::min(halfWidth, length - 1);
    for (std::int32_t i = 0; i <= firstWindowEnd; ++i) {
        sum += values[i];
        count += contributes[i];
    }
    visit(0, sum, count);
    for (std::int32_t i = 1; i < length; ++i) {
        const std::int32_t leaving = i - halfWidth - 1;
        if (leaving >= 0) {
            sum -= values[leaving];
            count -= contributes[leaving];
        }
        if (i < length - halfWidth) {
            sum += values[i + halfWidth];
            count += contributes[i + halfWidth];
        }
        visit(i, sum, count);
    }
}

}  // namespace

template <class Pixel>
LineBlurrer<Pixel>::LineBlurrer(std::int32_t maxLength, const QuotientTable& quotients) : quotients_(quotients) {
    const std::size_t padded = static_cast<std::size_t>(std::max(maxLength, 0)) + 2 * kBorder + kConvolutionBlock;
    for (auto& channelValues : values_) channelValues.assign(padded, 0);
    alphaContributes_.assign(padded, 0);
    colorContributes_.assign(padded, 0);
    peakSums_.assign(padded, 0);
    for (auto& weights : peakWeights_) weights.assign(padded, 0);
}

template <class Pixel>
template <class SpanWork>
void LineBlurrer<Pixel>::forEachSpan(const BlurLine<Pixel>& line, bool keepDivision, std::int32_t border,
                                     SpanWork work) {
    const std::uint8_t* mask = line.mask;
    const std::int32_t length = line.length;
    if (!keepDivision) {
        // Unselected pixels never contribute, so the line outside its first and last
        // selected pixel can be left out without changing any window.
        std::int32_t first = 0;
        while (first < length && mask[first] == 0) ++first;
        if (first == length) return;
        std::int32_t last = length - 1;
        while (mask[last] == 0) --last;
        const Span span{first, last - first + 1};
        loadSpan(line, span, border);
        work(span);
        return;
    }
    for (std::int32_t x = 0; x < length;) {
        // Unselected stretches a word at a time.
        std::uint64_t word = 1;
        if (x + 8 <= length) std::memcpy(&word, mask + x, sizeof word);
        if (word == 0) {
            x += 8;
            continue;
        }
        if (mask[x] == 0) {
            ++x;
            continue;
        }
        const std::int32_t first = x;
        while (x < length && mask[x] != 0) ++x;
        const Span span{first, x - first};
        loadSpan(line, span, border);
        work(span);
    }
}

template <class Pixel>
void LineBlurrer<Pixel>::loadSpan(const BlurLine<Pixel>& line, Span span, std::int32_t border) {
    using Traits = PixelTraits<Pixel>;
    const auto* channels = reinterpret_cast<const Channel*>(line.source + span.first);
    const std::uint8_t* mask = line.mask + span.first;
    std::uint16_t* alpha = alphaContributes_.data() + kBorder;
    std::uint16_t* color = colorContributes_.data() + kBorder;
    std::array<Value*, 4> values;
    for (int c = 0; c < kChannelsPerPixel; ++c) values[c] = values_[c].data() + kBorder;

    bool transparent = false;
    bool unselected = false;
    for (std::int32_t i = 0; i < span.length; ++i) {
        const Channel* pixel = channels + kChannelsPerPixel * i;
        const bool selected = mask[i] != 0;
        const bool givesColor = selected && !Traits::isTransparent(pixel[kAlphaChannel]);
        unselected |= !selected;
        transparent |= selected != givesColor;
        alpha[i] = selected ? 1 : 0;
        color[i] = givesColor ? 1 : 0;
        values[kAlphaChannel][i] = selected ? Math::toValue(pixel[kAlphaChannel]) : Value(0);
        for (int c = kRedChannel; c <= kBlueChannel; ++c) {
            values[c][i] = givesColor ? Math::toValue(pixel[c]) : Value(0);
        }
    }
    if constexpr (Math::kMayBeNonFinite) {
        for (int c = 0; c < kChannelsPerPixel; ++c) {
            channelFinite_[c] =
                std::all_of(values[c], values[c] + span.length, [](Value v) { return Math::isFinite(v); });
        }
    }
    spanHasTransparent_ = transparent;
    allAlphaContribute_ = !unselected;
    allColorContribute_ = !unselected && !transparent;

    // The zero border behind the span; the one in front is never written.
    const std::size_t end = static_cast<std::size_t>(kBorder + span.length);
    std::fill_n(alphaContributes_.begin() + end, border, 0);
    std::fill_n(colorContributes_.begin() + end, border, 0);
    for (auto& channelValues : values_) std::fill_n(channelValues.begin() + end, border, Value(0));
}

template <class Pixel>
void LineBlurrer<Pixel>::boxSpan(const BlurLine<Pixel>& line, Span span, int channel, std::int32_t halfWidth) {
    Channel* out = reinterpret_cast<Channel*>(line.target + span.first) + channel;
    const std::uint8_t* mask = line.mask + span.first;
    slideGuarded(channel, span.length, halfWidth, [&](std::int32_t i, auto sum, std::int32_t count) {
        if (mask[i] != 0 && count != 0) out[kChannelsPerPixel * i] = Math::box(sum, count, quotients_);
    });
}

template <class Pixel>
void LineBlurrer<Pixel>::copyOwnValues(const BlurLine<Pixel>& line, Span span, int channel) {
    Channel* out = reinterpret_cast<Channel*>(line.target + span.first) + channel;
    const std::uint8_t* mask = line.mask + span.first;
    const Value* own = values(channel);
    const std::uint16_t* counts = contributing(channel);
    for (std::int32_t i = 0; i < span.length; ++i) {
        if (mask[i] != 0 && counts[i] != 0) out[kChannelsPerPixel * i] = static_cast<Channel>(own[i]);
    }
}

template <class Pixel>
void LineBlurrer<Pixel>::gaussianSpan(const BlurLine<Pixel>& line, Span span, int channel, const GaussKernel& kernel,
                                      const std::uint32_t* peakWeights) {
    typename Math::PeakSum* peakSums = peakSums_.data();
    convolvePeak(values(channel), span.length, kernel.weights.get(), kernel.peakReach(), peakSums);

    const Channel* own = reinterpret_cast<const Channel*>(line.source + span.first) + channel;
    Channel* out = reinterpret_cast<Channel*>(line.target + span.first) + channel;
    const std::uint8_t* mask = line.mask + span.first;
    const std::uint16_t tailTotal = kernel.tailTotal;
    slideGuarded(channel, span.length, kernel.reach(), [&](std::int32_t i, auto sum, std::int32_t count) {
        if (mask[i] != 0 && count != 0) {
            out[kChannelsPerPixel * i] =
                Math::gaussian(peakSums[i], peakWeights[i], sum, count, tailTotal, own[kChannelsPerPixel * i],
                               quotients_);
        }
    });
}

template <class Pixel>
template <class Visit>
void LineBlurrer<Pixel>::slideGuarded(int channel, std::int32_t length, std::int32_t halfWidth, Visit visit) {
    if constexpr (Math::kMayBeNonFinite) {
        if (!channelFinite_[channel]) {
            slideWindow<typename Math::GuardedWindowSum>(values(channel), contributing(channel), length, halfWidth,
                                                         visit);
            return;
        }
    }
    slideWindow<typename Math::WindowSum>(values(channel), contributing(channel), length, halfWidth, visit);
}

template <class Pixel>
void LineBlurrer<Pixel>::blur(const BlurLine<Pixel>& line, const BoxWindowSet& windows, bool keepDivision) {
    // Box windows never read past their span.
    forEachSpan(line, keepDivision, 0, [&](Span span) {
        for (int c = 0; c < kChannelsPerPixel; ++c) {
            const std::int32_t halfWidth = std::max(windows[c] - 1, 0);
            // A window of one pixel gives that pixel's own value where it counts; for integer
            // channels that is a copy (a float sum would turn -0 into +0 and rewrite NaNs).
            if (std::is_integral<Channel>::value && halfWidth == 0) {
                copyOwnValues(line, span, c);
            } else {
                boxSpan(line, span, c, halfWidth);
            }
        }
    });
}

template <class Pixel>
void LineBlurrer<Pixel>::blur(const BlurLine<Pixel>& line, const GaussKernelSet& kernels, bool keepDivision) {
    forEachSpan(line, keepDivision, kBorder, [&](Span span) {
        // The sum of peak weights over contributing pixels depends only on the kernel and on
        // which pixels contribute, so channels sharing both share the sums.
        std::array<int, 4> contributionKind;
        std::array<const std::uint32_t*, 4> peakWeights;
        for (int c = 0; c < kChannelsPerPixel; ++c) {
            contributionKind[c] = (c == kAlphaChannel || !spanHasTransparent_) ? 0 : 1;
            peakWeights[c] = nullptr;
            for (int earlier = 0; earlier < c && peakWeights[c] == nullptr; ++earlier) {
                if (contributionKind[earlier] == contributionKind[c] &&
                    kernels[earlier].weights.get() == kernels[c].weights.get()) {
                    peakWeights[c] = peakWeights[earlier];
                }
            }
            if (peakWeights[c] == nullptr) {
                std::uint32_t* sums = peakWeights_[c].data();
                const GaussKernel& kernel = kernels[c];
                if (c == kAlphaChannel ? allAlphaContribute_ : allColorContribute_) {
                    fullSpanPeakWeights(span.length, kernel.weights.get(), kernel.peakReach(), sums);
                } else {
                    convolvePeak(contributing(c), span.length, kernel.weights.get(), kernel.peakReach(), sums);
                }
                peakWeights[c] = sums;
            }
            gaussianSpan(line, span, c, kernels[c], peakWeights[c]);
        }
    });
}

template class LineBlurrer<PF_Pixel16>;
template class LineBlurrer<PF_PixelFloat>;
