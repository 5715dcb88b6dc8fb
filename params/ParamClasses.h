#pragma once
// The kinds of parameter the effect uses. Built-in values are set at construction and
// never change afterwards.

#include "params/BaseParam.h"

#include <cstdint>

class ParamAddPopup : public BaseParam {
public:
    ParamAddPopup(const char* name, const PF_ParamDef* templateDef, std::int32_t id, RecordField field,
                  std::int32_t controllerId, std::uint16_t numChoices, std::int16_t defaultChoice,
                  const char* choices);
    PF_Err add(PF_InData* in_data, std::int32_t paramId, const char* iniPath) override;
    void storeDefault(PF_InData* in_data, const char* iniPath) override;

    std::uint16_t numChoices;
    std::int16_t defaultChoice;  // 1-based
    const char* choices;         // items separated by '|'
};

class ParamAddSlider : public BaseParam {
public:
    struct Range {
        std::int32_t validMin, validMax, sliderMin, sliderMax, defaultValue;
    };
    ParamAddSlider(const char* name, const PF_ParamDef* templateDef, std::int32_t id, RecordField field,
                   std::int32_t controllerId, Range range);
    PF_Err add(PF_InData* in_data, std::int32_t paramId, const char* iniPath) override;
    void storeDefault(PF_InData* in_data, const char* iniPath) override;

    std::int32_t validMin, validMax, sliderMin, sliderMax, defaultValue;
};

class ParamAddFloatSlider : public BaseParam {
public:
    struct Range {
        float validMin, validMax, sliderMin, sliderMax, defaultValue;
        std::int16_t precision;
        std::int16_t displayFlags;
        std::int32_t wantPhase;
    };
    ParamAddFloatSlider(const char* name, const PF_ParamDef* templateDef, std::int32_t id, RecordField field,
                        std::int32_t controllerId, Range range);
    PF_Err add(PF_InData* in_data, std::int32_t paramId, const char* iniPath) override;
    void storeDefault(PF_InData* in_data, const char* iniPath) override;

    float validMin, validMax, sliderMin, sliderMax, defaultValue;
    std::int16_t precision;
    std::int16_t displayFlags;
    std::int32_t wantPhase;
};

class ParamAddCheckbox : public BaseParam {
public:
    ParamAddCheckbox(const char* name, const PF_ParamDef* templateDef, std::int32_t id, RecordField field,
                     std::int32_t controllerId, const char* label, std::int8_t defaultValue,
                     std::int32_t extraFlags);
    PF_Err add(PF_InData* in_data, std::int32_t paramId, const char* iniPath) override;
    void storeDefault(PF_InData* in_data, const char* iniPath) override;

    const char* label;
    std::int8_t defaultValue;
    std::int32_t extraFlags;
};

class ParamAddColor : public BaseParam {
public:
    ParamAddColor(const char* name, const PF_ParamDef* templateDef, std::int32_t id, RecordField field,
                  std::int32_t controllerId, PF_Pixel defaultColor);
    PF_Err add(PF_InData* in_data, std::int32_t paramId, const char* iniPath) override;
    void storeDefault(PF_InData* in_data, const char* iniPath) override;

    PF_Pixel defaultColor;
};

// Start of a group of controls; carries no value.
class ParamAddTopic : public BaseParam {
public:
    ParamAddTopic(const char* name, const PF_ParamDef* templateDef, std::int32_t id);
    PF_Err add(PF_InData* in_data, std::int32_t paramId, const char* iniPath) override;
};

// End of a group; carries no value and no name.
class ParamEndTopic : public BaseParam {
public:
    ParamEndTopic(const char* name, const PF_ParamDef* templateDef, std::int32_t id);
    PF_Err add(PF_InData* in_data, std::int32_t paramId, const char* iniPath) override;
};
