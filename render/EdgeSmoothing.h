#pragma once
// The edge smoothing pass: removes the stair-step look of hard edges between flat colours by
// blending the destination along coverage ramps. The destination starts as a copy of the source.

#include "render/EdgeSmoothSettings.h"

// Returns the host's error code: 514 (PF_Err_UNRECOGNIZED_PARAM_TYPE) for an unknown pixel
// format or a variant other than 0, 516 (PF_Err_BAD_CALLBACK_PARAM) for worlds of different
// sizes, otherwise the error of the copy, of the scratch world or of the host's
// iterate_generic, which spreads the work over bands of rows. Throws the bare error 516
// when the host lacks the world or world transform suite.
PF_Err smoothEdges(const EdgeSmoothSettings& settings);
