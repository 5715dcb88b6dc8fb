#pragma once
// The process-wide parameter registry: built once on the first entry-point call and read
// by every handler afterwards. No lock guards it; it is written only during registration.

#include <cstdint>

class BaseParam;
class ParamGetter;
struct RenderParams;

constexpr int kMaxParamObjects = 16383;
constexpr int kParamIndexSlots = 16384;
constexpr int kIniSectionSize = 128;

// Owning; sorted by id once registration ends.
extern BaseParam* paramsById[kMaxParamObjects];
extern std::int32_t paramObjectCount;
// Borrowed; slot n holds the object of host index n, slot 0 (the input layer) stays empty.
extern BaseParam* paramsByIndex[kParamIndexSlots];
// The next host index to hand out; after registration, the host's parameter count.
extern std::int32_t nextParamIndex;
extern std::int32_t numParams;
extern char iniSection[kIniSectionSize];

// Deletes every registered object and clears both tables.
void destroyParams();
// Puts a newly made object under the registry's ownership.
void adoptParam(BaseParam* param);
// Sorts the tables, sets numParams and resolves every controller's host index.
void finishRegistration();
// The host index of the parameter with that ID, or 0 when there is none.
std::int32_t findParamIndex(std::int32_t id);

// Calls visit(param) for each object in host index order until it returns non-zero;
// returns that result, or 0.
template <class Visit>
std::int32_t forEachParamByIndex(Visit&& visit) {
    for (int index = 1; index < kParamIndexSlots && paramsByIndex[index] != nullptr; ++index) {
        if (const std::int32_t err = visit(*paramsByIndex[index])) return err;
    }
    return 0;
}

// Loads every value into the record (may be null) with the getter; stops at the first error.
std::int32_t loadAllParams(RenderParams* record, ParamGetter& getter);
// Hands every in-place definition back; stops at the first error.
std::int32_t releaseAllParams(ParamGetter& getter);
