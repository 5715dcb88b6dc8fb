#include "params/ParamRegistry.h"

#include "params/BaseParam.h"

#include <cstring>

BaseParam* paramsById[kMaxParamObjects] = {};
std::int32_t paramObjectCount = 0;
BaseParam* paramsByIndex[kParamIndexSlots] = {};
std::int32_t nextParamIndex = 1;
std::int32_t numParams = 0;
char iniSection[kIniSectionSize] = {};

void destroyParams() {
    for (BaseParam*& param : paramsById) {
        delete param;
        param = nullptr;
    }
    std::memset(paramsByIndex, 0, sizeof paramsByIndex);
    paramObjectCount = 0;
}
