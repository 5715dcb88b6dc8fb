#include "params/BaseParam.h"

#include "params/ParamRegistry.h"

#include <cstring>

BaseParam::BaseParam(const char* paramName, const PF_ParamDef* templateDef) : name(paramName), index(nextParamIndex++) {
    if (templateDef != nullptr) {
        def = *templateDef;
    } else {
        std::memset(&def, 0, sizeof def);
    }
}
