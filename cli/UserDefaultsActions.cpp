#include "cli/UserDefaultsActions.h"

#include <filesystem>

#include "cli/CliErrors.h"
#include "cli/ParamSetting.h"
#include "params/BaseParam.h"
#include "params/EffectParams.h"
#include "params/ParamRegistry.h"
#include "params/UserDefaults.h"

namespace vmcli {

namespace {

// The effect's parameter objects in this process, for as long as the scope lives.
class ParamRegistryScope {
public:
    explicit ParamRegistryScope(PF_InData* in_data) { registerParams(in_data); }
    ~ParamRegistryScope() { destroyParams(); }
    ParamRegistryScope(const ParamRegistryScope&) = delete;
    ParamRegistryScope& operator=(const ParamRegistryScope&) = delete;
};

std::string iniPath() {
    char path[kIniPathSize] = {};
    if (!getIniPath(path)) throw RunError("there is no per-user settings folder to keep the defaults in");
    return path;
}

// The store writes what this program's parameter objects describe; another
// effect's values under the same indices would be stored under wrong names.
bool sameParams(const vmhost::ParamList& params) {
    if (params.count() != numParams) return false;
    for (PF_ParamIndex index = 1; index < params.count(); ++index) {
        const BaseParam* param = paramsByIndex[index];
        if (param == nullptr || paramName(params.at(index)) != param->name) return false;
    }
    return true;
}

}  // namespace

std::string storeInstanceDefaults(EffectSession& session) {
    const std::string path = iniPath();
    vmhost::Host& host = session.host();
    const ParamRegistryScope registry(&host.inData());
    if (!sameParams(host.params()))
        throw RunError("the loaded effect's parameters are not Velumixer's: defaults can only be stored for Velumixer");
    storeUserDefaults(&host.inData(), host.paramsArray());
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) throw RunError("cannot write \"" + path + "\"");
    return path;
}

std::string restoreBuiltInDefaultValues() {
    const std::string path = iniPath();
    restoreBuiltInDefaults();
    std::error_code error;
    if (std::filesystem::exists(path, error)) throw RunError("cannot remove \"" + path + "\"");
    return path;
}

}  // namespace vmcli
