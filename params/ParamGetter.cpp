#include "params/ParamGetter.h"

#include <cstring>

namespace {

bool enabledIn(PF_ParamDef* params[], std::int32_t index) {
    return (params[index]->ui_flags & PF_PUI_DISABLED) == 0;
}

}  // namespace

PF_Err GetParamFromArray::get(std::int32_t index, PF_ParamDef* dest) {
    *dest = *params[index];
    return PF_Err_NONE;
}

PF_Err GetParamFromArray::checkin(PF_ParamDef*) {
    return PF_Err_NONE;
}

bool GetParamFromArray::isEnabled(std::int32_t index) const {
    return enabledIn(params, index);
}

PF_Err GetParamByCheckout::get(std::int32_t index, PF_ParamDef* dest) {
    const PF_Err err = in_data->inter.checkout_param(in_data->effect_ref, index, in_data->current_time,
                                                     in_data->time_step, in_data->time_scale, dest);
    // Nothing half-filled by a failed check-out may be mistaken for a value.
    if (err != PF_Err_NONE) std::memset(dest, 0, sizeof *dest);
    return err;
}

PF_Err GetParamByCheckout::checkin(PF_ParamDef* def) {
    return in_data->inter.checkin_param(in_data->effect_ref, def);
}

bool GetParamByCheckout::isEnabled(std::int32_t index) const {
    return params == nullptr || enabledIn(params, index);
}
