#pragma once
// Everything one frame is rendered from: the parameter values, written by the parameter
// objects at fixed offsets, and the host objects of the current render command.

#include "hostapi/HostApi.h"

#include <cstddef>
#include <cstdint>

struct KeyColor {
    std::uint8_t enable;
    PF_Pixel color;  // alpha, red, green, blue, whatever the frame's depth
    std::uint8_t pad[3];
    double range;  // percent
};
static_assert(sizeof(KeyColor) == 16, "KeyColor layout");
static_assert(offsetof(KeyColor, color) == 1 && offsetof(KeyColor, range) == 8, "KeyColor layout");

enum BlurType : std::int32_t { kBlurGaussian = 1, kBlurBox = 2 };
enum SelectionMode : std::int32_t { kModeNormal = 1, kModeExtract = 2, kModeDisableAll = 3 };

// Pixel formats as whole numbers; the name is the byte sequence in memory, lowest byte first.
constexpr std::uint32_t kPixelFormat8 = 0x62677261;      // "argb"
constexpr std::uint32_t kPixelFormat16 = 0x36316561;     // "ae16"
constexpr std::uint32_t kPixelFormat32 = 0x32336561;     // "ae32"
constexpr std::uint32_t kPixelFormatUnset = 0x66646162;  // "badf"

struct RenderParams {
    double blurAmount;
    double blurAspect;
    double brightness;
    double brightnessGain;
    double brightnessCurve;
    std::uint8_t autoAlpha;
    double alphaAmount;
    double redAmount;
    double greenAmount;
    double blueAmount;
    KeyColor keyColors[4];
    std::int32_t mode;
    std::uint8_t invert;
    std::uint8_t keepDivision;
    std::int32_t repeatCount;
    std::int32_t blurType;
    std::int32_t reserved0;
    double reserved1;
    double reserved2;
    PF_InData* inData;
    PF_OutData* outData;
    PF_EffectWorld* input;
    PF_EffectWorld* output;
    std::uint32_t pixelFormat;
    PF_LRect area;
    PF_LRect layerArea;
    std::uint8_t preRendered;
};

// The parameter objects address the record by these offsets.
static_assert(sizeof(RenderParams) == 256, "RenderParams layout");
static_assert(offsetof(RenderParams, blurAmount) == 0, "RenderParams layout");
static_assert(offsetof(RenderParams, blurAspect) == 8, "RenderParams layout");
static_assert(offsetof(RenderParams, brightness) == 16, "RenderParams layout");
static_assert(offsetof(RenderParams, brightnessGain) == 24, "RenderParams layout");
static_assert(offsetof(RenderParams, brightnessCurve) == 32, "RenderParams layout");
static_assert(offsetof(RenderParams, autoAlpha) == 40, "RenderParams layout");
static_assert(offsetof(RenderParams, alphaAmount) == 48, "RenderParams layout");
static_assert(offsetof(RenderParams, redAmount) == 56, "RenderParams layout");
static_assert(offsetof(RenderParams, greenAmount) == 64, "RenderParams layout");
static_assert(offsetof(RenderParams, blueAmount) == 72, "RenderParams layout");
static_assert(offsetof(RenderParams, keyColors) == 80, "RenderParams layout");
static_assert(offsetof(RenderParams, mode) == 144, "RenderParams layout");
static_assert(offsetof(RenderParams, invert) == 148, "RenderParams layout");
static_assert(offsetof(RenderParams, keepDivision) == 149, "RenderParams layout");
static_assert(offsetof(RenderParams, repeatCount) == 152, "RenderParams layout");
static_assert(offsetof(RenderParams, blurType) == 156, "RenderParams layout");
static_assert(offsetof(RenderParams, reserved0) == 160, "RenderParams layout");
static_assert(offsetof(RenderParams, reserved1) == 168, "RenderParams layout");
static_assert(offsetof(RenderParams, reserved2) == 176, "RenderParams layout");
static_assert(offsetof(RenderParams, inData) == 184, "RenderParams layout");
static_assert(offsetof(RenderParams, outData) == 192, "RenderParams layout");
static_assert(offsetof(RenderParams, input) == 200, "RenderParams layout");
static_assert(offsetof(RenderParams, output) == 208, "RenderParams layout");
static_assert(offsetof(RenderParams, pixelFormat) == 216, "RenderParams layout");
static_assert(offsetof(RenderParams, area) == 220, "RenderParams layout");
static_assert(offsetof(RenderParams, layerArea) == 236, "RenderParams layout");
static_assert(offsetof(RenderParams, preRendered) == 252, "RenderParams layout");

// Offset and size of a record field, as the parameter objects hold them.
#define RENDER_FIELD(field) \
    static_cast<std::int32_t>(offsetof(RenderParams, field)), static_cast<std::int32_t>(sizeof(RenderParams::field))
#define RENDER_KEY_FIELD(key, field)                                                       \
    static_cast<std::int32_t>(offsetof(RenderParams, keyColors) + sizeof(KeyColor) * (key) + \
                              offsetof(KeyColor, field)),                                  \
        static_cast<std::int32_t>(sizeof(KeyColor::field))

// A record with the values it holds before any parameter writes into it.
RenderParams makeRenderParams();
