#include "params/ParamsUI.h"

#include "AEUtil/SuiteHolder.h"
#include "params/BaseParam.h"
#include "params/EffectParams.h"
#include "params/ParamRegistry.h"

#include <cstring>
#include <vector>

namespace {

constexpr std::int32_t kEnableIds[4] = {kIdKey1Enable, kIdKey2Enable, kIdKey3Enable, kIdKey4Enable};
constexpr int kModeDisableAllItem = 3;

bool isDisabled(const PF_ParamDef* def) {
    return (def->ui_flags & PF_PUI_DISABLED) != 0;
}

// Whether a controller's value switches its dependants on, whatever its own UI state.
bool valueIsOn(const PF_ParamDef* def) {
    switch (def->param_type) {
        case PF_Param_CHECKBOX: return def->u.bd.value != 0;
        case PF_Param_POPUP: return def->u.pd.value != 1;
        case PF_Param_LAYER: {
            void* firstWord = nullptr;
            std::memcpy(&firstWord, &def->u, sizeof firstWord);
            return firstWord != nullptr;
        }
        default: return false;
    }
}

// Sets the control's state and tells the host, only when it changes.
PF_Err setEnabled(const AEUtil::ParamUtilsSuiteHolder& suite, PF_InData* in_data, PF_ParamDef* params[],
                  std::int32_t index, bool enable) {
    PF_ParamDef* def = params[index];
    if (isDisabled(def) != enable) return PF_Err_NONE;
    def->ui_flags ^= PF_PUI_DISABLED;
    return suite.updateParamUI(in_data->effect_ref, index, def);
}

}  // namespace

bool isParamActive(PF_ParamDef* params[], std::int32_t id) {
    const std::int32_t index = findParamIndex(id);
    if (index == 0) return false;
    return !isDisabled(params[index]) && valueIsOn(params[index]);
}

PF_Err setParamsEnabled(const AEUtil::ParamUtilsSuiteHolder& suite, PF_InData* in_data, PF_ParamDef* params[],
                        bool enable, const std::int32_t (&ids)[4]) {
    for (std::int32_t id : ids) {
        const std::int32_t index = findParamIndex(id);
        if (index == 0) continue;
        if (const PF_Err err = setEnabled(suite, in_data, params, index, enable)) return err;
    }
    return PF_Err_NONE;
}

PF_Err applyParamDependencies(const AEUtil::ParamUtilsSuiteHolder& suite, PF_InData* in_data, PF_ParamDef* params[]) {
    enum class State { unknown, enabled, disabled };
    std::vector<State> states(static_cast<std::size_t>(numParams > 0 ? numParams : 0), State::unknown);

    for (std::int32_t i = 1; i < numParams; ++i) {
        const BaseParam* param = paramsByIndex[i];
        if (param == nullptr) continue;
        const std::int32_t c = param->controllerIndex;
        if (c >= 1 && c != i && c < numParams) {
            const bool on = states[c] == State::enabled && valueIsOn(params[c]);
            states[i] = on ? State::enabled : State::disabled;
        } else {
            states[i] = isDisabled(params[i]) ? State::disabled : State::enabled;
        }
    }

    for (std::int32_t i = 1; i < numParams; ++i) {
        if (states[i] == State::unknown) continue;
        if (const PF_Err err = setEnabled(suite, in_data, params, i, states[i] == State::enabled)) return err;
    }
    return PF_Err_NONE;
}

PF_Err updateParamsUI(PF_InData* in_data, PF_ParamDef* params[]) {
    const AEUtil::ParamUtilsSuiteHolder suite(in_data);

    const std::int32_t modeIndex = findParamIndex(kIdMode);
    const PF_ParamDef* mode = modeIndex != 0 ? params[modeIndex] : nullptr;
    const int modeItem = mode != nullptr && mode->param_type == PF_Param_POPUP ? mode->u.pd.value : 0;
    if (const PF_Err err = setParamsEnabled(suite, in_data, params, modeItem != kModeDisableAllItem, kEnableIds)) {
        return err;
    }

    if (const PF_Err err = applyParamDependencies(suite, in_data, params)) return err;

    const std::int32_t autoAlphaIndex = findParamIndex(kIdAutoAlpha);
    const std::int32_t alphaIndex = findParamIndex(kIdAlpha);
    if (alphaIndex != 0) {
        const PF_ParamDef* autoAlpha = autoAlphaIndex != 0 ? params[autoAlphaIndex] : nullptr;
        const bool alphaFollows = autoAlpha != nullptr && autoAlpha->param_type == PF_Param_CHECKBOX &&
                                  autoAlpha->u.bd.value != 0;
        if (const PF_Err err = setEnabled(suite, in_data, params, alphaIndex, !alphaFollows)) return err;
    }

    bool keysInUse = false;
    for (std::int32_t id : kEnableIds) {
        if (isParamActive(params, id)) {
            keysInUse = true;
            break;
        }
    }
    for (std::int32_t id : {kIdInvert, kIdKeepDivision}) {
        const std::int32_t index = findParamIndex(id);
        if (index == 0) continue;
        if (const PF_Err err = setEnabled(suite, in_data, params, index, keysInUse)) return err;
    }
    return PF_Err_NONE;
}
