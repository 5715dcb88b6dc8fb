#pragma once
// The edge smoothing pass as it was first written, kept as the reference that the effect's faster
// pass is checked against byte for byte (DifferentialSmoothingTest). Not built into the effect.
//
// The edge smoothing pass: removes the stair-step look of hard edges between flat colours by
// blending the destination along coverage ramps. The destination starts as a copy of the source.

#include "render/EdgeSmoothSettings.h"

namespace baseline {

// Returns the host's error code: 514 (PF_Err_UNRECOGNIZED_PARAM_TYPE) for an unknown pixel
// format or a variant other than 0, 516 (PF_Err_BAD_CALLBACK_PARAM) for worlds of different
// sizes, otherwise the error of the copy or of the scratch world. Throws the bare error 516
// when the host lacks the world or world transform suite.
PF_Err smoothEdges(const EdgeSmoothSettings& settings);

}  // namespace baseline
