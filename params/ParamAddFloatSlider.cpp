#include "params/ParamClasses.h"
#include "params/UserDefaults.h"

#include <algorithm>
#include <cmath>

ParamAddFloatSlider::ParamAddFloatSlider(const char* paramName, const PF_ParamDef* templateDef, std::int32_t paramId,
                                         RecordField field, std::int32_t controller, Range range)
    : BaseParam(paramName, templateDef, paramId, field, controller),
      validMin(range.validMin),
      validMax(range.validMax),
      sliderMin(range.sliderMin),
      sliderMax(range.sliderMax),
      defaultValue(range.defaultValue),
      precision(range.precision),
      displayFlags(range.displayFlags),
      wantPhase(range.wantPhase) {}

PF_Err ParamAddFloatSlider::add(PF_InData* in_data, std::int32_t paramId, const char* iniPath) {
    // The stored text carries no more than single precision; a value that is not a finite
    // number in range would reach the host as its default, so it is mended first.
    auto value = static_cast<float>(offeredFloat(in_data, *this, iniPath, defaultValue));
    if (!std::isfinite(value)) value = defaultValue;
    value = std::clamp(value, validMin, validMax);

    beginAdd(in_data, PF_Param_FLOAT_SLIDER);
    PF_FloatSliderDef& slider = def.u.fs_d;
    slider.value = value;
    slider.dephault = value;
    slider.valid_min = validMin;
    slider.valid_max = validMax;
    slider.slider_min = sliderMin;
    slider.slider_max = sliderMax;
    slider.precision = precision;
    slider.display_flags = displayFlags;
    if (wantPhase != 0) slider.fs_flags |= PF_FSliderFlag_WANT_PHASE;
    slider.curve_tolerance = 0.05f;
    return finishAdd(in_data, paramId);
}

void ParamAddFloatSlider::storeDefault(PF_InData*, const char* iniPath) {
    writeIniFloat(*this, iniPath, def.u.fs_d.value);
}
