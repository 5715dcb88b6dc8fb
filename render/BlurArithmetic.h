#pragma once
// The per-depth arithmetic of the blur passes: what a window sum is held in and how the
// sums become a channel value. 16-bit data stays in integers with the stated rounding;
// float data is accumulated in double and never rounded or clamped.

#include "render/GaussKernel.h"
#include "render/QuotientTable.h"

#include <cmath>
#include <cstdint>
#include <limits>

template <class Channel>
struct BlurArithmetic;

// A sliding window sum that NaN and infinities pass through instead of staying in it: they
// are counted apart from the finite values, so the sum is what adding up the window afresh
// would give, and a non-finite value stops counting once it has left the window.
class NonFiniteAwareSum {
public:
    NonFiniteAwareSum(int zero = 0) : finite_(zero) {}
    NonFiniteAwareSum& operator+=(double v) {
        count(v, 1);
        return *this;
    }
    NonFiniteAwareSum& operator-=(double v) {
        count(v, -1);
        return *this;
    }
    operator double() const {
        if (nan_ != 0 || (positive_ != 0 && negative_ != 0)) return std::numeric_limits<double>::quiet_NaN();
        if (positive_ != 0) return std::numeric_limits<double>::infinity();
        if (negative_ != 0) return -std::numeric_limits<double>::infinity();
        return finite_;
    }

private:
    void count(double v, int sign) {
        if (std::isfinite(v)) {
            finite_ += sign * v;
        } else if (std::isnan(v)) {
            nan_ += sign;
        } else {
            (v > 0 ? positive_ : negative_) += sign;
        }
    }

    double finite_;
    std::int32_t nan_ = 0, positive_ = 0, negative_ = 0;
};

template <>
struct BlurArithmetic<std::uint16_t> {
    using Channel = std::uint16_t;
    using Value = std::uint16_t;      // a contributing channel value; 0 for the others
    using PeakSum = std::uint32_t;    // A: sum of value * peak weight
    using WindowSum = std::uint32_t;  // S: sum of values over the window; holds 65537 full values, more than a line

    // Integer values are always finite: one kind of window sum serves every line.
    static constexpr bool kMayBeNonFinite = false;
    static bool isFinite(Value) { return true; }

    static Value toValue(Channel c) { return c; }

    // Divisions go through `q`, which must know every window count and peak weight sum.
    static Channel box(WindowSum s, std::int32_t n, const QuotientTable& q) {
        const auto count = static_cast<std::uint32_t>(n);
        return static_cast<Channel>(q.quotient(s + count / 2, count));
    }

    // a, w: peak sums (distances up to 99); s, n: window sums (the tail); own: v(x).
    static Channel gaussian(PeakSum a, std::uint32_t w, WindowSum s, std::int32_t n, std::uint16_t tailTotal,
                            Channel own, const QuotientTable& q) {
        if (tailTotal != 0) {
            const std::uint64_t peak = w != 0 ? q.quotient(a, w) : 0;
            const std::uint64_t flat = q.quotient(s, static_cast<std::uint32_t>(n));
            return static_cast<Channel>((peak * (kKernelOne - tailTotal) + kKernelOne / 2 + flat * tailTotal) /
                                        kKernelOne);
        }
        if (w == 0) return own;
        return static_cast<Channel>(q.quotient(a + w / 2, w));
    }
};

template <>
struct BlurArithmetic<float> {
    using Channel = float;
    using Value = double;
    using PeakSum = double;
    using WindowSum = double;
    // Lines holding NaN or infinities slide this sum instead (slower, so only for them).
    static constexpr bool kMayBeNonFinite = true;
    using GuardedWindowSum = NonFiniteAwareSum;
    static bool isFinite(Value v) { return std::isfinite(v); }

    static Value toValue(Channel c) { return c; }

    // Float results divide as they always did: a reciprocal would change their last bits.
    static Channel box(WindowSum s, std::int32_t n, const QuotientTable&) { return static_cast<Channel>(s / n); }

    static Channel gaussian(PeakSum a, std::uint32_t w, WindowSum s, std::int32_t n, std::uint16_t tailTotal,
                            Channel own, const QuotientTable&) {
        // `a` is the plain sum of value * weight; scaling by 32768 is exact, so the peak is a / w.
        const double peak = w != 0 ? (a / kKernelOne) * kKernelOne / w : 0.0;
        if (tailTotal != 0) {
            const double tailShare = static_cast<double>(tailTotal) / kKernelOne;
            return static_cast<Channel>((s / n) * tailShare + peak * (1.0 - tailShare));
        }
        if (w == 0) return own;
        return static_cast<Channel>(peak);
    }
};
