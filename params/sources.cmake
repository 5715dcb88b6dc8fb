# Sources of this folder that go into the effect.
set(VELUMIXER_PARAMS_SOURCES
  params/BaseParam.cpp
  params/EffectParams.cpp
  params/ParamAddCheckbox.cpp
  params/ParamAddColor.cpp
  params/ParamAddFloatSlider.cpp
  params/ParamAddPopup.cpp
  params/ParamAddSlider.cpp
  params/ParamGetter.cpp
  params/ParamGroups.cpp
  params/ParamRegistry.cpp
  params/ParamsUI.cpp
  params/UserDefaults.cpp
)
