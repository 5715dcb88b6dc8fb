#include "params/ParamClasses.h"
#include "params/UserDefaults.h"

ParamAddCheckbox::ParamAddCheckbox(const char* paramName, const PF_ParamDef* templateDef, std::int32_t paramId,
                                   RecordField field, std::int32_t controller, const char* boxLabel,
                                   std::int8_t defaultOn, std::int32_t flags)
    : BaseParam(paramName, templateDef, paramId, field, controller), label(boxLabel), defaultValue(defaultOn), extraFlags(flags) {}

PF_Err ParamAddCheckbox::add(PF_InData* in_data, std::int32_t paramId, const char* iniPath) {
    // Only the low byte of the stored integer counts.
    const auto value = static_cast<std::int8_t>(offeredInt(in_data, *this, iniPath, defaultValue) & 0xFF);
    beginAdd(in_data, PF_Param_CHECKBOX);
    def.flags |= extraFlags;
    PF_CheckBoxDef& box = def.u.bd;
    box.value = value;
    box.dephault = static_cast<PF_Boolean>(value);
    box.u.nameptr = label;
    return finishAdd(in_data, paramId);
}

void ParamAddCheckbox::storeDefault(PF_InData*, const char* iniPath) {
    writeIniInt(*this, iniPath, def.u.bd.value);
}
