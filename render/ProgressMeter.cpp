#include "render/ProgressMeter.h"

#include <algorithm>

PF_Err ProgressMeter::report() const {
    if (inData == nullptr) return PF_Err_NONE;
    const std::int64_t percent =
        total == 0 ? 100 : std::min<std::int64_t>(100, static_cast<std::int64_t>(done) * 100 / total);
    return inData->inter.progress(effectRef, static_cast<A_long>(percent), 100);
}

PF_Err ProgressMeter::step() {
    ++done;
    return report();
}
