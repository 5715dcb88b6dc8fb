#pragma once
// The base of every effect parameter object: it knows how to add itself to the host.

#include "hostapi/HostApi.h"

#include <cstdint>

class BaseParam {
public:
    explicit BaseParam(const char* name, const PF_ParamDef* templateDef = nullptr);
    virtual ~BaseParam() = default;
    BaseParam(const BaseParam&) = delete;
    BaseParam& operator=(const BaseParam&) = delete;

    // Describes the parameter to the host and adds it; returns the host's result.
    virtual PF_Err add(PF_InData* in_data, std::int32_t paramId, const char* iniPath) = 0;

    const char* name;
    PF_ParamDef def;
    std::int32_t id = 0;
    std::int32_t index = 0;
};
