#pragma once
// Progress of one frame, reported to the host; the host's answer carries a cancel.

#include "hostapi/HostApi.h"

#include <cstdint>

struct ProgressMeter {
    ProgressMeter() = default;
    ProgressMeter(PF_InData* inData, std::int32_t total)
        : inData(inData), effectRef(inData != nullptr ? inData->effect_ref : nullptr), total(total) {}

    // Tells the host done / total in percent (100 when total is 0) and returns its answer;
    // non-zero means stop. Without inData nothing is called.
    PF_Err report() const;
    // One more step done, then report.
    PF_Err step();

    PF_InData* inData = nullptr;
    PF_ProgPtr effectRef = nullptr;
    std::int32_t total = 0;
    std::int32_t done = 0;
};
