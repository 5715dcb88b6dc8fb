#pragma once
// The smaller layer a host hands an effect when it renders at 1/N resolution.

#include "host/Image.h"

namespace vmcli {

// Every factorX-th pixel of every factorY-th row, starting at the top left:
// ceil(width / factorX) by ceil(height / factorY). Picking pixels instead of
// averaging them keeps flat colours exact, so key colours still match.
vmhost::Image subsampled(const vmhost::Image& image, int factorX, int factorY);

}  // namespace vmcli
