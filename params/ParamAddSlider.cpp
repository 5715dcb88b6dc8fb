#include "params/ParamClasses.h"
#include "params/UserDefaults.h"

#include <algorithm>

ParamAddSlider::ParamAddSlider(const char* paramName, const PF_ParamDef* templateDef, std::int32_t paramId,
                               RecordField field, std::int32_t controller, Range range)
    : BaseParam(paramName, templateDef, paramId, field, controller),
      validMin(range.validMin),
      validMax(range.validMax),
      sliderMin(range.sliderMin),
      sliderMax(range.sliderMax),
      defaultValue(range.defaultValue) {}

PF_Err ParamAddSlider::add(PF_InData* in_data, std::int32_t paramId, const char* iniPath) {
    // A stored value out of range would reach the host as its default; keep it inside.
    const std::int32_t value = std::clamp(offeredInt(in_data, *this, iniPath, defaultValue), validMin, validMax);
    beginAdd(in_data, PF_Param_SLIDER);
    PF_SliderDef& slider = def.u.sd;
    slider.value = value;
    slider.value_str[0] = '\0';
    slider.value_desc[0] = '\0';
    slider.valid_min = validMin;
    slider.valid_max = validMax;
    slider.slider_min = sliderMin;
    slider.slider_max = sliderMax;
    slider.dephault = value;
    return finishAdd(in_data, paramId);
}

void ParamAddSlider::storeDefault(PF_InData*, const char* iniPath) {
    writeIniInt(*this, iniPath, def.u.sd.value);
}
