#include "params/ParamClasses.h"
#include "params/UserDefaults.h"

ParamAddColor::ParamAddColor(const char* paramName, const PF_ParamDef* templateDef, std::int32_t paramId,
                             RecordField field, std::int32_t controller, PF_Pixel builtInColor)
    : BaseParam(paramName, templateDef, paramId, field, controller), defaultColor(builtInColor) {}

PF_Err ParamAddColor::add(PF_InData* in_data, std::int32_t paramId, const char* iniPath) {
    PF_Pixel color = offeredColor(in_data, *this, iniPath, defaultColor);
    color.alpha = 255;  // colours are always offered opaque
    beginAdd(in_data, PF_Param_COLOR);
    def.u.cd.value = color;
    def.u.cd.dephault = color;
    return finishAdd(in_data, paramId);
}

void ParamAddColor::storeDefault(PF_InData*, const char* iniPath) {
    writeIniColor(*this, iniPath, def.u.cd.value);
}
