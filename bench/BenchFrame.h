#pragma once
// A UHD frame in plain memory with a smooth, slightly noisy picture, as footage has.

#include "hostapi/HostApi.h"
#include "render/PixelTraits.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <type_traits>
#include <vector>

constexpr A_long kUhdWidth = 3840;
constexpr A_long kUhdHeight = 2160;

template <class Pixel>
class BenchFrame {
public:
    BenchFrame(A_long width = kUhdWidth, A_long height = kUhdHeight)
        : pixels_(static_cast<std::size_t>(width) * height) {
        std::memset(&world_, 0, sizeof world_);
        world_.data = reinterpret_cast<PF_PixelPtr>(pixels_.data());
        world_.rowbytes = static_cast<A_long>(width * sizeof(Pixel));
        world_.width = width;
        world_.height = height;
        world_.world_flags = PF_WorldFlag_WRITEABLE | (std::is_same<Pixel, PF_Pixel8>::value ? 0 : PF_WorldFlag_DEEP);
    }

    void paint() {
        using Channel = typename PixelTraits<Pixel>::Channel;
        const double scale = std::is_same<Pixel, PF_Pixel8>::value    ? 255.0
                             : std::is_same<Pixel, PF_Pixel16>::value ? 32768.0
                                                                      : 1.0;
        std::mt19937 random(1);
        std::uniform_real_distribution<double> noise(-0.02, 0.02);
        for (A_long y = 0; y < world_.height; ++y) {
            for (A_long x = 0; x < world_.width; ++x) {
                const double u = double(x) / world_.width, v = double(y) / world_.height;
                const double fractions[4] = {1.0, 0.5 + 0.4 * std::sin(6 * u + v), 0.5 + 0.4 * std::cos(4 * v),
                                             std::fmod(u + v, 1.0)};
                auto* channels = reinterpret_cast<Channel*>(&pixels_[static_cast<std::size_t>(y) * world_.width + x]);
                for (int c = 0; c < 4; ++c) {
                    const double value = std::min(1.0, std::max(0.0, fractions[c] + (c ? noise(random) : 0.0)));
                    channels[c] = static_cast<Channel>(value * scale);
                }
            }
        }
    }

    PF_EffectWorld* world() { return &world_; }

private:
    std::vector<Pixel> pixels_;
    PF_EffectWorld world_;
};
