#pragma once
// The render driver's own per-pixel operations, each run as a row task over the frame's
// selection mask on the host's worker threads.

#include "render/PixelTask.h"

// Colour channels of selected pixels go through the brightness table (alpha is kept);
// rows without a selected pixel are skipped. b is the brightness 0..1, gain and curve
// shape the lift: entry i = i (1 + b (gain - 1)) + full b^curve, clipped at full.
template <class Pixel>
PF_Err applyBrightness(PF_InData* inData, A_long iterations, const PixelTask& task, double b, double gain,
                       double curve);

// 8-bit selected pixels into 16 bits: (v * 32768 + 128) / 255.
PF_Err widenTo16(PF_InData* inData, A_long iterations, const PixelTask& task);

// 16-bit selected pixels into 8 bits: (v * 255 + 16384) >> 15.
PF_Err narrowTo8(PF_InData* inData, A_long iterations, const PixelTask& task);

// Unselected pixels of the destination become transparent; nothing else changes.
template <class Pixel>
PF_Err extractAlpha(PF_InData* inData, A_long iterations, const PixelTask& task);
