#include "params/ParamClasses.h"
#include "params/UserDefaults.h"

#include <algorithm>

ParamAddPopup::ParamAddPopup(const char* paramName, const PF_ParamDef* templateDef, std::int32_t paramId,
                             RecordField field, std::int32_t controller, std::uint16_t choiceCount,
                             std::int16_t defaultItem, const char* items)
    : BaseParam(paramName, templateDef, paramId, field, controller), numChoices(choiceCount), defaultChoice(defaultItem), choices(items) {}

PF_Err ParamAddPopup::add(PF_InData* in_data, std::int32_t paramId, const char* iniPath) {
    // The stored integer is taken as a 16-bit item number; one beyond the list would
    // select nothing, so it is kept within the items.
    const auto item = static_cast<std::int16_t>(offeredInt(in_data, *this, iniPath, defaultChoice));
    const std::int16_t value = std::clamp<std::int16_t>(item, 1, static_cast<std::int16_t>(numChoices));
    beginAdd(in_data, PF_Param_POPUP);
    PF_PopupDef& popup = def.u.pd;
    popup.value = value;
    popup.num_choices = static_cast<A_short>(numChoices);
    popup.dephault = value;
    popup.u.namesptr = choices;
    return finishAdd(in_data, paramId);
}

void ParamAddPopup::storeDefault(PF_InData*, const char* iniPath) {
    writeIniInt(*this, iniPath, def.u.pd.value);
}
