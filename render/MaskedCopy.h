#pragma once
// Copying the selected pixels of a task's source into its destination. With
// clearUnselected the other pixels of the area become 0; without it they are not touched.

#include "render/PixelTask.h"

// Runs as a row task; returns the result of iterate_generic. Instantiated for PF_Pixel8,
// PF_Pixel16 and PF_PixelFloat.
template <class Pixel>
PF_Err maskedCopy(PF_InData* inData, A_long iterations, const PixelTask& task);
