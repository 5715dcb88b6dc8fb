#include "params/BaseParam.h"

#include "params/ParamGetter.h"
#include "params/ParamRegistry.h"
#include "render/RenderParams.h"

#include <cstring>

BaseParam::BaseParam(const char* paramName, const PF_ParamDef* templateDef) : name(paramName), index(nextParamIndex++) {
    if (templateDef != nullptr) {
        def = *templateDef;
    } else {
        std::memset(&def, 0, sizeof def);
    }
}

BaseParam::BaseParam(const char* paramName, const PF_ParamDef* templateDef, std::int32_t paramId, RecordField field,
                     std::int32_t controller)
    : BaseParam(paramName, templateDef) {
    id = paramId;
    valueOffset = field.offset;
    valueSize = field.size;
    controllerId = controller;
}

PF_Err BaseParam::load(RenderParams* record, ParamGetter& getter) {
    if (valueSize == 0) return PF_Err_NONE;

    const bool copies = getter.givesCopies();
    PF_ParamDef copy;
    PF_ParamDef* fetched = copies ? &copy : &def;
    PF_Err err = getter.get(index, fetched);
    if (err == PF_Err_NONE && record != nullptr) {
        std::memcpy(reinterpret_cast<unsigned char*>(record) + valueOffset, &fetched->u, valueSize);
    }
    // A temporary copy is gone after this call, so no release walk can hand it back:
    // check it in now, or the host would keep it checked out for good.
    if (err == PF_Err_NONE && copies) err = getter.checkin(&copy);
    return err;
}

PF_Err BaseParam::release(ParamGetter& getter) {
    if (valueSize == 0 || getter.givesCopies()) return PF_Err_NONE;
    return getter.checkin(&def);
}

void BaseParam::storeDefault(PF_InData*, const char*) {}

void BaseParam::beginAdd(PF_InData* in_data, PF_ParamType type) {
    def.param_type = type;
    in_data->utils->ansi.strcpy(def.name, name);
}

PF_Err BaseParam::finishAdd(PF_InData* in_data, std::int32_t paramId) {
    def.uu.id = paramId;
    return in_data->inter.add_param(in_data->effect_ref, -1, &def);
}
