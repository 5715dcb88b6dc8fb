// How the effect introduces itself: version and capabilities at global setup, and the
// about text.
#include "entry/BaseFilter.h"
#include "entry/Localization.h"
#include "platform/Platform.h"
#include "resources/PluginProperties.h"

PF_Err BaseFilter::onGlobalSetup(PF_InData*, PF_OutData* out_data, PF_ParamDef*[], PF_LayerDef*) {
    out_data->my_version = plugin::kPackedVersion;
    out_data->out_flags = plugin::kOutFlags;
    out_data->out_flags2 = plugin::kOutFlags2;
    return PF_Err_NONE;
}

PF_Err BaseFilter::onAbout(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef*[], PF_LayerDef*) {
    const int language = getUILanguage(in_data);
    const bool showBuild = platform::isShiftKeyDown();
    const char* notice = getLocalizedText(kTextVendorNotice, language);

    auto* sprintfFn = in_data->utils->ansi.sprintf;
    if (showBuild) {
        sprintfFn(out_data->return_msg, "%s %d.%d.%d %s build:%d\r\r%s", plugin::kDisplayName, plugin::kMajorVersion,
                  plugin::kMinorVersion, plugin::kBugVersion, plugin::kStageWord, plugin::kBuild, notice);
    } else {
        sprintfFn(out_data->return_msg, "%s %d.%d.%d %s\r\r%s", plugin::kDisplayName, plugin::kMajorVersion,
                  plugin::kMinorVersion, plugin::kBugVersion, plugin::kStageWord, notice);
    }
    return PF_Err_NONE;
}
