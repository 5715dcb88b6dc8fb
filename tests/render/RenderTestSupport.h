#pragma once
// Pixels, masks and hosts for the render tests.

#include "host/Host.h"
#include "render/PixelTraits.h"
#include "render/SelectionMask.h"
#include "tests/render/TestWorld.h"

#include <functional>
#include <random>
#include <type_traits>

template <class Pixel>
using ChannelOf = typename PixelTraits<Pixel>::Channel;

template <class Pixel>
ChannelOf<Pixel> channelOf(const Pixel& pixel, int c) {
    return reinterpret_cast<const ChannelOf<Pixel>*>(&pixel)[c];
}

template <class Pixel>
void setChannel(Pixel& pixel, int c, ChannelOf<Pixel> value) {
    reinterpret_cast<ChannelOf<Pixel>*>(&pixel)[c] = value;
}

// Full scale of a channel: 255, 32768 or 1.0.
template <class Pixel>
constexpr double fullScale() {
    return std::is_same<Pixel, PF_Pixel8>::value ? 255.0 : std::is_same<Pixel, PF_Pixel16>::value ? 32768.0 : 1.0;
}

// A pixel from fractions of full scale (rounded for the integer depths).
template <class Pixel>
Pixel pixelOf(double alpha, double red, double green, double blue) {
    Pixel pixel{};
    const double fractions[4] = {alpha, red, green, blue};
    for (int c = 0; c < 4; ++c) {
        const double value = fractions[c] * fullScale<Pixel>();
        setChannel(
            pixel, c,
            static_cast<ChannelOf<Pixel>>(std::is_floating_point<ChannelOf<Pixel>>::value ? value : value + 0.5));
    }
    return pixel;
}

// Random channel values over the full range; about `transparentShare` of the pixels get
// alpha 0 (their colours stay random: the blur must ignore them, not rely on zeros).
template <class Pixel>
Pixel randomPixel(std::mt19937& random, double transparentShare) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    Pixel pixel = pixelOf<Pixel>(unit(random), unit(random), unit(random), unit(random));
    if (unit(random) < transparentShare) setChannel(pixel, 0, ChannelOf<Pixel>(0));
    return pixel;
}

template <class Pixel>
void fillRandom(TestWorld<Pixel>& world, std::mt19937& random, double transparentShare) {
    for (A_long y = 0; y < world.height(); ++y) {
        for (A_long x = 0; x < world.width(); ++x) world.at(x, y) = randomPixel<Pixel>(random, transparentShare);
    }
}

inline vmhost::HostConfig hostWithWorkers(int workers) {
    vmhost::HostConfig config = vmhost::HostConfig::checking();
    config.workerThreads = workers;
    return config;
}

// A mask of the given size whose bytes come from `selected(x, y)`, flags computed.
inline SelectionMask makeMask(PF_InData* inData, std::int32_t width, std::int32_t height,
                              const std::function<bool(std::int32_t, std::int32_t)>& selected) {
    SelectionMask mask;
    allocateMask(mask, inData, width, height);
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) mask.row(y)[x] = selected(x, y) ? kMaskSelected : 0;
    }
    updateMaskFlags(mask);
    return mask;
}

// Runs of selected and unselected pixels of random lengths, along rows and columns alike.
inline SelectionMask makeRandomRunMask(PF_InData* inData, std::int32_t width, std::int32_t height,
                                       std::mt19937& random) {
    std::vector<bool> bits(static_cast<std::size_t>(width) * height);
    std::uniform_int_distribution<int> run(1, 9);
    bool state = true;
    for (std::size_t i = 0; i < bits.size();) {
        const int length = state ? run(random) : (run(random) + 1) / 3;
        for (int k = 0; k < length && i < bits.size(); ++k) bits[i++] = state;
        state = !state;
    }
    // Whole empty rows and columns, so that the line flags are exercised.
    for (std::int32_t x = 0; x < width; ++x) bits[static_cast<std::size_t>(height / 2) * width + x] = false;
    for (std::int32_t y = 0; y < height; ++y) bits[static_cast<std::size_t>(y) * width + width / 3] = false;
    return makeMask(inData, width, height,
                    [&](std::int32_t x, std::int32_t y) { return bits[static_cast<std::size_t>(y) * width + x]; });
}
