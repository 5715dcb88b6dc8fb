#include "params/ParamRegistry.h"

#include "params/BaseParam.h"

#include <algorithm>
#include <cstring>
#include <new>

BaseParam* paramsById[kMaxParamObjects] = {};
std::int32_t paramObjectCount = 0;
BaseParam* paramsByIndex[kParamIndexSlots] = {};
std::int32_t nextParamIndex = 1;
std::int32_t numParams = 0;
char iniSection[kIniSectionSize] = {};

namespace {

BaseParam** lowerBoundById(std::int32_t id) {
    return std::lower_bound(paramsById, paramsById + paramObjectCount, id,
                            [](const BaseParam* param, std::int32_t key) { return param->id < key; });
}

}  // namespace

void destroyParams() {
    for (BaseParam*& param : paramsById) {
        delete param;
        param = nullptr;
    }
    std::memset(paramsByIndex, 0, sizeof paramsByIndex);
    paramObjectCount = 0;
}

void adoptParam(BaseParam* param) {
    if (paramObjectCount >= kMaxParamObjects) {
        delete param;
        throw std::bad_alloc();
    }
    paramsById[paramObjectCount++] = param;
}

void finishRegistration() {
    std::sort(paramsById, paramsById + paramObjectCount,
              [](const BaseParam* a, const BaseParam* b) { return a->id < b->id; });

    paramsByIndex[0] = nullptr;
    std::copy(paramsById, paramsById + paramObjectCount, paramsByIndex + 1);
    std::sort(paramsByIndex + 1, paramsByIndex + 1 + paramObjectCount,
              [](const BaseParam* a, const BaseParam* b) { return a->index < b->index; });
    numParams = paramObjectCount + 1;

    for (int i = 0; i < paramObjectCount; ++i) paramsById[i]->controllerIndex = findParamIndex(paramsById[i]->controllerId);
}

std::int32_t findParamIndex(std::int32_t id) {
    BaseParam** found = lowerBoundById(id);
    if (found == paramsById + paramObjectCount || *found == nullptr || (*found)->id != id) return 0;
    return (*found)->index;
}

std::int32_t loadAllParams(RenderParams* record, ParamGetter& getter) {
    return forEachParamByIndex([&](BaseParam& param) { return param.load(record, getter); });
}

std::int32_t releaseAllParams(ParamGetter& getter) {
    return forEachParamByIndex([&](BaseParam& param) { return param.release(getter); });
}
