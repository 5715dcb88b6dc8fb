#pragma once
// The process-wide parameter registry: built once on the first entry-point call and read
// by every handler afterwards.

#include <cstdint>

class BaseParam;

constexpr int kMaxParamObjects = 16383;
constexpr int kParamIndexSlots = 16384;
constexpr int kIniSectionSize = 128;

// Owning, sorted by id once registration ends.
extern BaseParam* paramsById[kMaxParamObjects];
extern std::int32_t paramObjectCount;
// Borrowed, slot n holds the object of host index n; slot 0 is the input layer.
extern BaseParam* paramsByIndex[kParamIndexSlots];
// The next host index to hand out; after registration, the host's parameter count.
extern std::int32_t nextParamIndex;
extern std::int32_t numParams;
extern char iniSection[kIniSectionSize];

// Deletes every registered object and clears both tables.
void destroyParams();
