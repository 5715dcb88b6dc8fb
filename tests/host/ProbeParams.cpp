// The probe's parameters: adds them, checks them out and greys them out the
// way an effect does, so the host's bookkeeping can be watched from outside.

#include <cstring>

#include "ProbeCommands.h"

namespace probe {

namespace {

PF_ParamDef named(PF_ParamType type, const char* name, PF_ParamIndex index) {
    PF_ParamDef def;
    std::memset(&def, 0, sizeof def);
    def.param_type = type;
    std::strncpy(def.name, name, sizeof def.name - 1);
    def.uu.id = kFirstParamId + index - 1;
    return def;
}

// Overwrites a text the host was given; volatile, so that the compiler cannot
// drop the stores as dead.
void scribble(char* text, std::size_t length) {
    volatile char* target = text;
    for (std::size_t i = 0; i < length; ++i) target[i] = 'X';
}

}  // namespace

PF_Err paramsSetup(PF_InData* in, PF_OutData* out) {
    // The item and label texts live on this stack and are scribbled over once
    // added: the host must have copied them.
    char choices[sizeof kModeChoices];
    char label[sizeof kEnableLabel];
    std::memcpy(choices, kModeChoices, sizeof choices);
    std::memcpy(label, kEnableLabel, sizeof label);

    PF_ParamDef defs[kNumParams - 1];
    defs[0] = named(PF_Param_SLIDER, "Amount", kAmount);
    defs[0].u.sd.valid_max = defs[0].u.sd.slider_max = 100;
    defs[0].u.sd.value = defs[0].u.sd.dephault = 25;
    defs[1] = named(PF_Param_FLOAT_SLIDER, "Strength", kStrength);
    defs[1].u.fs_d.valid_max = defs[1].u.fs_d.slider_max = 10;
    defs[1].u.fs_d.dephault = 2.5f;
    defs[1].u.fs_d.value = 2.5;
    defs[1].u.fs_d.precision = 2;
    defs[2] = named(PF_Param_POPUP, "Mode", kMode);
    defs[2].u.pd.num_choices = 3;
    defs[2].u.pd.value = defs[2].u.pd.dephault = 2;
    defs[2].u.pd.u.namesptr = choices;
    defs[3] = named(PF_Param_CHECKBOX, "Enable", kEnable);
    defs[3].u.bd.value = defs[3].u.bd.dephault = 1;
    defs[3].u.bd.u.nameptr = label;
    defs[4] = named(PF_Param_COLOR, "Tint", kTint);
    defs[4].u.cd.value = defs[4].u.cd.dephault = kTintDefault;
    defs[5] = named(PF_Param_GROUP_START, "Details", kDetails);
    defs[6] = named(PF_Param_GROUP_END, "", kDetailsEnd);

    PF_Err err = PF_Err_NONE;
    for (PF_ParamDef& def : defs) {
        err = in->inter.add_param(in->effect_ref, -1, &def);
        if (err != PF_Err_NONE) break;
    }
    scribble(choices, sizeof choices - 1);
    scribble(label, sizeof label - 1);
    out->num_params = kNumParams;
    return err;
}

PF_Err checkOutParams(PF_InData* in, CheckoutRequest* request) {
    if (!request || request->count > kMaxRequests) return PF_Err_BAD_CALLBACK_PARAM;
    PF_Err first = PF_Err_NONE;
    for (A_long i = 0; i < request->count; ++i) {
        request->results[i] = in->inter.checkout_param(in->effect_ref, request->indices[i], in->current_time,
                                                       in->time_step, in->time_scale, &request->defs[i]);
        if (first == PF_Err_NONE) first = request->results[i];
    }
    if (request->checkIn) {
        for (A_long i = 0; i < request->count; ++i) {
            if (request->results[i] == PF_Err_NONE) in->inter.checkin_param(in->effect_ref, &request->defs[i]);
        }
    }
    return first;
}

PF_Err updateParamsUi(PF_InData* in, PF_ParamDef** params, UiRequest* request) {
    if (!request || !params || !in->pica_basicP || request->count > kMaxRequests) return PF_Err_BAD_CALLBACK_PARAM;
    const void* table = nullptr;
    request->acquireError = in->pica_basicP->AcquireSuite(kPFParamUtilsSuite, request->suiteVersion, &table);
    if (request->acquireError != kSPNoError || !table) return PF_Err_INVALID_CALLBACK;
    // Both layouts start with PF_UpdateParamUI.
    const auto* suite = static_cast<const PF_ParamUtilsSuite3*>(table);
    PF_Err first = PF_Err_NONE;
    for (A_long i = 0; i < request->count; ++i) {
        PF_ParamDef* def = params[request->toggle[i]];
        def->ui_flags ^= PF_PUI_DISABLED;
        request->results[i] = suite->PF_UpdateParamUI(in->effect_ref, request->toggle[i], def);
        if (first == PF_Err_NONE) first = request->results[i];
    }
    request->copyResult = PF_Err_NONE;
    if (request->viaCopy) {
        PF_ParamDef copy = *params[request->viaCopy];
        copy.ui_flags |= PF_PUI_DISABLED;
        request->copyResult = suite->PF_UpdateParamUI(in->effect_ref, request->viaCopy, &copy);
        if (first == PF_Err_NONE) first = request->copyResult;
    }
    in->pica_basicP->ReleaseSuite(kPFParamUtilsSuite, request->suiteVersion);
    return first;
}

}  // namespace probe
