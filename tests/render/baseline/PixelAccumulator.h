#pragma once
// Weighted means of pixels for the spike averaging of the edge smoothing pass: colours are
// weighted by alpha as well, so transparent neighbours give their alpha but not their colour.
// The 8-bit version is integer arithmetic exact to the bit; the others work in float.

#include "hostapi/HostApi.h"

#include <cstdint>

namespace baseline {

template <class Pixel>
class PixelAccumulator;

template <>
class PixelAccumulator<PF_Pixel8> {
public:
    void add(const PF_Pixel8& p, std::uint32_t w) {
        weight_ += static_cast<std::int32_t>(w);
        const std::int32_t t = static_cast<std::int32_t>(p.alpha * w);
        alpha_ += t;
        red_ += p.red * (t >> 16);
        green_ += p.green * (t >> 16);
        blue_ += p.blue * (t >> 16);
    }
    bool hasWeight() const { return weight_ > 0; }
    // Needs hasWeight(); colours stay as they are when the alpha sum is too small to divide by.
    void resolve(PF_Pixel8& p) const {
        p.alpha = static_cast<A_u_char>((alpha_ + (weight_ >> 1)) / weight_);
        const std::int32_t s = static_cast<std::int16_t>(static_cast<std::uint32_t>(alpha_) >> 16);
        if (s == 0) return;
        p.red = static_cast<A_u_char>((red_ + (s >> 1)) / s);
        p.green = static_cast<A_u_char>((green_ + (s >> 1)) / s);
        p.blue = static_cast<A_u_char>((blue_ + (s >> 1)) / s);
    }

private:
    std::int32_t red_ = 0, green_ = 0, blue_ = 0, alpha_ = 0, weight_ = 0;
};

template <>
class PixelAccumulator<PF_Pixel16> {
public:
    void add(const PF_Pixel16& p, std::uint32_t w) {
        const float f = static_cast<float>(w) / 65535.0f;
        const float a = static_cast<float>(p.alpha) * f;
        weight_ += f;
        alpha_ += a;
        red_ += static_cast<float>(p.red) * a;
        green_ += static_cast<float>(p.green) * a;
        blue_ += static_cast<float>(p.blue) * a;
    }
    bool hasWeight() const { return weight_ > 0.0f; }
    void resolve(PF_Pixel16& p) const {
        p.alpha = static_cast<A_u_short>((weight_ * 0.5f + alpha_) / weight_);
        if (alpha_ == 0.0f) return;
        p.red = static_cast<A_u_short>((alpha_ * 0.5f + red_) / alpha_);
        p.green = static_cast<A_u_short>((alpha_ * 0.5f + green_) / alpha_);
        p.blue = static_cast<A_u_short>((alpha_ * 0.5f + blue_) / alpha_);
    }

private:
    float red_ = 0, green_ = 0, blue_ = 0, alpha_ = 0, weight_ = 0;
};

template <>
class PixelAccumulator<PF_PixelFloat> {
public:
    void add(const PF_PixelFloat& p, float w) {
        const float a = w * p.alpha;
        weight_ += w;
        alpha_ += a;
        red_ += a * p.red;
        green_ += a * p.green;
        blue_ += a * p.blue;
    }
    bool hasWeight() const { return weight_ > 0.0f; }
    void resolve(PF_PixelFloat& p) const {
        p.alpha = alpha_ / weight_;
        if (alpha_ == 0.0f) return;
        p.red = red_ / alpha_;
        p.green = green_ / alpha_;
        p.blue = blue_ / alpha_;
    }

private:
    float red_ = 0, green_ = 0, blue_ = 0, alpha_ = 0, weight_ = 0;
};

}  // namespace baseline
