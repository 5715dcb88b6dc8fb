#include "host/ParamTypeName.h"

namespace vmhost {

std::string paramTypeName(PF_ParamType type) {
    switch (type) {
        case PF_Param_LAYER: return "layer";
        case PF_Param_SLIDER: return "slider";
        case PF_Param_FIX_SLIDER: return "fixed slider";
        case PF_Param_ANGLE: return "angle";
        case PF_Param_CHECKBOX: return "checkbox";
        case PF_Param_COLOR: return "color";
        case PF_Param_POINT: return "point";
        case PF_Param_POPUP: return "popup";
        case PF_Param_CUSTOM: return "custom";
        case PF_Param_NO_DATA: return "no data";
        case PF_Param_FLOAT_SLIDER: return "float slider";
        case PF_Param_ARBITRARY_DATA: return "arbitrary";
        case PF_Param_PATH: return "path";
        case PF_Param_GROUP_START: return "group start";
        case PF_Param_GROUP_END: return "group end";
        case PF_Param_BUTTON: return "button";
        case PF_Param_POINT_3D: return "3D point";
        default: return "type " + std::to_string(type);
    }
}

}  // namespace vmhost
