#pragma once
// Renders one frame from a filled record, in the record's pixel depth.

#include "render/RenderParams.h"

// One definition over the pixel type: 8-bit (PF_Pixel8, blurred in 16-bit worlds), 16-bit
// and float. Works on a private copy of the record; returns the host's error code.
template <class Pixel>
PF_Err renderDepth(const RenderParams& params);

// Picks the instance by the record's pixel format; 514 for any other format.
PF_Err renderWithDriver(const RenderParams& params);
