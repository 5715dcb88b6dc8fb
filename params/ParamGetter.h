#pragma once
// Where the current parameter definitions come from: the params array of a command, or
// a check-out from the host.

#include "hostapi/HostApi.h"

#include <cstdint>

class ParamGetter {
public:
    virtual ~ParamGetter() = default;
    // Fetches the definition of host index `index` into dest; returns the host's code.
    virtual PF_Err get(std::int32_t index, PF_ParamDef* dest) = 0;
    // Hands back a definition that get() filled.
    virtual PF_Err checkin(PF_ParamDef* def) = 0;
    // True when get() fills temporaries, so the registry's own definitions stay untouched.
    virtual bool givesCopies() const = 0;
    // False when the control is greyed out.
    virtual bool isEnabled(std::int32_t index) const = 0;
};

class GetParamFromArray : public ParamGetter {
public:
    explicit GetParamFromArray(PF_ParamDef* params[]) : params(params) {}

    PF_Err get(std::int32_t index, PF_ParamDef* dest) override;
    PF_Err checkin(PF_ParamDef* def) override;
    bool givesCopies() const override { return false; }
    bool isEnabled(std::int32_t index) const override;

    PF_ParamDef** params;
};

class GetParamByCheckout : public ParamGetter {
public:
    GetParamByCheckout(PF_InData* in_data, PF_ParamDef* params[], bool copies)
        : in_data(in_data), params(params), copies(copies) {}

    PF_Err get(std::int32_t index, PF_ParamDef* dest) override;
    PF_Err checkin(PF_ParamDef* def) override;
    bool givesCopies() const override { return copies; }
    bool isEnabled(std::int32_t index) const override;

    PF_InData* in_data;
    PF_ParamDef** params;
    bool copies;
};
