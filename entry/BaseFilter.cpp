#include "entry/BaseFilter.h"

#include "dialog/OptionsDialog.h"
#include "params/BaseParam.h"
#include "params/ParamRegistry.h"
#include "params/ParamsUI.h"
#include "params/UserDefaults.h"

#include <clocale>

BaseFilter::BaseFilter() {
    // Float text in the user's INI file follows the user's own decimal separator.
    std::setlocale(LC_ALL, "");
}

BaseFilter::~BaseFilter() = default;

PF_Err BaseFilter::dispatch(PF_Cmd cmd, PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[],
                            PF_LayerDef* output, void* extra) {
    switch (cmd) {
        case PF_Cmd_ABOUT: return onAbout(in_data, out_data, params, output);
        case PF_Cmd_GLOBAL_SETUP: return onGlobalSetup(in_data, out_data, params, output);
        case PF_Cmd_GLOBAL_SETDOWN: return onGlobalSetdown(in_data, out_data, params, output);
        case PF_Cmd_PARAMS_SETUP: return onParamsSetup(in_data, out_data, params, output);
        case PF_Cmd_SEQUENCE_SETUP: return onSequenceSetup(in_data, out_data);
        case PF_Cmd_SEQUENCE_RESETUP: return onSequenceResetup(in_data, out_data);
        case PF_Cmd_SEQUENCE_FLATTEN: return onSequenceFlatten(in_data, out_data);
        case PF_Cmd_SEQUENCE_SETDOWN: return onSequenceSetdown(in_data, out_data);
        case PF_Cmd_DO_DIALOG:
            // The host is never told about the dialog's outcome, not even a failure.
            try {
                FxOptionDlg::showOptionsDialog(in_data, params);
            } catch (...) {
            }
            return PF_Err_NONE;
        case PF_Cmd_RENDER: return onRender(in_data, out_data, params, output);
        case PF_Cmd_USER_CHANGED_PARAM: return onUserChangedParam(in_data, out_data, params, output, extra);
        case PF_Cmd_UPDATE_PARAMS_UI: return onUpdateParamsUI(in_data, out_data, params, output);
        case PF_Cmd_EVENT: return onEvent(in_data, out_data, params, output, extra);
        case PF_Cmd_QUERY_DYNAMIC_FLAGS: return onQueryDynamicFlags(in_data, out_data, params, output);
        case PF_Cmd_ARBITRARY_CALLBACK: return onArbitraryCallback(in_data, out_data, params, output, extra);
        case PF_Cmd_SMART_PRE_RENDER: return onSmartPreRender(in_data, out_data, extra);
        case PF_Cmd_SMART_RENDER: return onSmartRender(in_data, out_data, extra);
        case PF_Cmd_GET_FLATTENED_SEQUENCE_DATA: return onGetFlattenedSequenceData(in_data, out_data);
        default: return PF_Err_NONE;
    }
}

PF_Err BaseFilter::onGlobalSetdown(PF_InData*, PF_OutData*, PF_ParamDef*[], PF_LayerDef*) {
    return PF_Err_NONE;
}

PF_Err BaseFilter::onParamsSetup(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef*[], PF_LayerDef*) {
    char pathBuffer[kIniPathSize];
    const char* iniPath = prepareIniForSetup(in_data, pathBuffer);

    const PF_Err err = forEachParamByIndex([&](BaseParam& param) {
        return param.index < nextParamIndex ? param.add(in_data, param.id, iniPath) : PF_Err_NONE;
    });
    // The host learns the full count even when adding stopped early.
    out_data->num_params = nextParamIndex;
    return err;
}

PF_Err BaseFilter::onUserChangedParam(PF_InData*, PF_OutData*, PF_ParamDef*[], PF_LayerDef*, void*) {
    return PF_Err_NONE;
}

PF_Err BaseFilter::onUpdateParamsUI(PF_InData* in_data, PF_OutData*, PF_ParamDef* params[], PF_LayerDef*) {
    return updateParamsUI(in_data, params);
}

PF_Err BaseFilter::onQueryDynamicFlags(PF_InData*, PF_OutData*, PF_ParamDef*[], PF_LayerDef*) {
    return PF_Err_NONE;
}

PF_Err BaseFilter::onEvent(PF_InData*, PF_OutData*, PF_ParamDef*[], PF_LayerDef*, void*) {
    return PF_Err_NONE;
}

PF_Err BaseFilter::onArbitraryCallback(PF_InData*, PF_OutData*, PF_ParamDef*[], PF_LayerDef*, void*) {
    return PF_Err_NONE;
}

PF_Err BaseFilter::createSequenceData(PF_InData* in_data, PF_OutData* out_data) {
    return onSequenceSetup(in_data, out_data);
}

PF_Err BaseFilter::initialize(PF_InData*, PF_OutData*, PF_ParamDef*[], PF_LayerDef*) {
    return PF_Err_NONE;
}

PF_Err BaseFilter::renderFrame(RenderParams*) {
    return PF_Err_INTERNAL_STRUCT_DAMAGED;
}
