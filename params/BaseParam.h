#pragma once
// The base of every effect parameter object. Each object knows how to add itself to the
// host (with the user's stored default applied), how to load its current value into the
// render record, how to hand a checked-out definition back, and how to store its value
// as the user's default.

#include "hostapi/HostApi.h"

#include <cstdint>

class ParamGetter;
struct RenderParams;

// A destination field in the render record: its offset and size (size 0: no value).
struct RecordField {
    std::int32_t offset;
    std::int32_t size;
};

class BaseParam {
public:
    explicit BaseParam(const char* name, const PF_ParamDef* templateDef = nullptr);
    // The host index comes from the registry's counter; the rest is the object's configuration.
    BaseParam(const char* name, const PF_ParamDef* templateDef, std::int32_t id, RecordField field,
              std::int32_t controllerId);
    virtual ~BaseParam() = default;
    BaseParam(const BaseParam&) = delete;
    BaseParam& operator=(const BaseParam&) = delete;

    // Fetches the current definition with the getter and copies the value into the record
    // (when not null); returns the fetch result. A temporary copy is checked in again at
    // once. Objects without a value do nothing.
    virtual PF_Err load(RenderParams* record, ParamGetter& getter);
    // Hands the in-place definition back to the getter.
    virtual PF_Err release(ParamGetter& getter);
    // Describes the parameter to the host and adds it; returns the host's result.
    virtual PF_Err add(PF_InData* in_data, std::int32_t paramId, const char* iniPath) = 0;
    // Writes the value held in def to the INI file; nothing without a path.
    virtual void storeDefault(PF_InData* in_data, const char* iniPath);

    const char* name;
    PF_ParamDef def;
    std::int32_t id = 0;
    std::int32_t index = 0;
    // Where load() writes in the render record; size 0 for objects without a value.
    std::int32_t valueOffset = 0;
    std::int32_t valueSize = 0;
    // The parameter whose state enables this one (0: none), and its host index once resolved.
    std::int32_t controllerId = 0;
    std::int32_t controllerIndex = 0;

protected:
    // Steps shared by every add(): type, name through the host's strcpy, then (after the
    // subclass filled the value union) the ID and the host's add-parameter call.
    void beginAdd(PF_InData* in_data, PF_ParamType type);
    PF_Err finishAdd(PF_InData* in_data, std::int32_t paramId);
};
