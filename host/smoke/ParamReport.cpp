#include "ParamReport.h"

#include "host/ParamTypeName.h"

#include <cstdio>
#include <cstring>

namespace vmhost::smoke {

namespace {

std::string quoted(const char* text) {
    return text ? "\"" + std::string(text) + "\"" : std::string("(none)");
}

std::string formatted(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

std::string describeParamType(PF_ParamType type) {
    return paramTypeName(type);
}

std::string describeParamDefault(const PF_ParamDef& def) {
    const PF_ParamDefUnion& u = def.u;
    switch (def.param_type) {
        case PF_Param_LAYER: return "input layer";
        case PF_Param_SLIDER:
            return std::to_string(u.sd.dephault) + " in " + std::to_string(u.sd.valid_min) + ".." +
                   std::to_string(u.sd.valid_max);
        case PF_Param_FLOAT_SLIDER:
            return formatted("%g", u.fs_d.dephault) + " in " + formatted("%g", u.fs_d.valid_min) + ".." +
                   formatted("%g", u.fs_d.valid_max) + ", " + std::to_string(u.fs_d.precision) + " decimal(s)";
        case PF_Param_POPUP:
            return std::to_string(u.pd.dephault) + " of " + quoted(u.pd.u.namesptr);
        case PF_Param_CHECKBOX:
            return std::string(u.bd.dephault ? "on" : "off") + ", label " + quoted(u.bd.u.nameptr);
        case PF_Param_COLOR:
            return "a" + std::to_string(u.cd.dephault.alpha) + " r" + std::to_string(u.cd.dephault.red) + " g" +
                   std::to_string(u.cd.dephault.green) + " b" + std::to_string(u.cd.dephault.blue);
        default:
            return "-";
    }
}

std::string describeParam(PF_ParamIndex index, const PF_ParamDef& def) {
    char head[96];
    const std::string name(def.name, strnlen(def.name, sizeof def.name));
    std::snprintf(head, sizeof head, "%2d  %-13s %-20s", static_cast<int>(index),
                  describeParamType(def.param_type).c_str(), quoted(name.c_str()).c_str());
    return std::string(head) + " default " + describeParamDefault(def);
}

}  // namespace vmhost::smoke
