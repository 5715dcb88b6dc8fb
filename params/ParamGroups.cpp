#include "params/ParamClasses.h"

ParamAddTopic::ParamAddTopic(const char* paramName, const PF_ParamDef* templateDef, std::int32_t paramId)
    : BaseParam(paramName, templateDef, paramId, RecordField{0, 0}, 0) {}

PF_Err ParamAddTopic::add(PF_InData* in_data, std::int32_t paramId, const char*) {
    beginAdd(in_data, PF_Param_GROUP_START);
    return finishAdd(in_data, paramId);
}

ParamEndTopic::ParamEndTopic(const char* paramName, const PF_ParamDef* templateDef, std::int32_t paramId)
    : BaseParam(paramName, templateDef, paramId, RecordField{0, 0}, 0) {}

PF_Err ParamEndTopic::add(PF_InData* in_data, std::int32_t paramId, const char*) {
    // The name field keeps what the template gave.
    def.param_type = PF_Param_GROUP_END;
    return finishAdd(in_data, paramId);
}
