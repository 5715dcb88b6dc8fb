#include "cli/UserDefaultsActions.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "cli/CliErrors.h"
#include "cli/ParamSetting.h"
#include "params/BaseParam.h"
#include "params/EffectParams.h"
#include "params/ParamRegistry.h"
#include "params/UserDefaults.h"
#include "platform/Profile.h"

namespace vmcli {

namespace fs = std::filesystem;

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
    if (getIniPath(path)) return path;
    const std::string folder = platform::applicationDataFolder();
    if (folder.empty())
        throw RunError("there is no per-user settings folder to keep the defaults in (set HOME or XDG_CONFIG_HOME)");
    throw RunError("the per-user settings folder \"" + folder +
                   "\" is too long: the defaults file's path must stay under " + std::to_string(kIniPathSize) +
                   " bytes");
}

// Refuses a store the effect would skip without a word: the file is a
// folder, or exists and cannot be written.
void checkWritable(const std::string& path) {
    std::error_code error;
    if (fs::is_directory(path, error))
        throw RunError("cannot store the defaults in \"" + path + "\": it is a folder, not a file");
    if (!fs::exists(path, error)) return;
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND);
    if (fd < 0) throw RunError("cannot store the defaults in \"" + path + "\": " + std::strerror(errno));
    ::close(fd);
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

bool storedInt(const std::string& key, A_long value, const std::string& path) {
    // A value never written reads back as the fallback, which no stored value equals.
    char text[32] = {};
    platform::getProfileString(kIniSectionName, key.c_str(), "", text, sizeof text, path.c_str());
    return text[0] != '\0' && static_cast<A_long>(platform::getProfileInt(kIniSectionName, key.c_str(), 0,
                                                                          path.c_str())) == value;
}

bool storedFloat(const std::string& key, double value, const std::string& path) {
    char text[128] = {};
    platform::getProfileString(kIniSectionName, key.c_str(), "", text, sizeof text, path.c_str());
    // Written with six decimals, in the same locale it is read in.
    return text[0] != '\0' && std::fabs(std::atof(text) - value) <= 1e-6 * std::max(1.0, std::fabs(value));
}

// Every value the instance holds is in the file as written: a file that could
// not be replaced (read-only, full disk) keeps older values or none.
bool storedAsGiven(const vmhost::ParamList& params, const std::string& path) {
    for (PF_ParamIndex index = 1; index < params.count(); ++index) {
        const PF_ParamDef& def = params.at(index);
        const std::string name = paramName(def);
        bool stored = true;
        switch (def.param_type) {
            case PF_Param_SLIDER: stored = storedInt(name, def.u.sd.value, path); break;
            case PF_Param_POPUP: stored = storedInt(name, def.u.pd.value, path); break;
            case PF_Param_CHECKBOX: stored = storedInt(name, def.u.bd.value, path); break;
            case PF_Param_FLOAT_SLIDER: stored = storedFloat(name, def.u.fs_d.value, path); break;
            case PF_Param_COLOR:
                stored = storedInt(name + ".r", def.u.cd.value.red, path) &&
                         storedInt(name + ".g", def.u.cd.value.green, path) &&
                         storedInt(name + ".b", def.u.cd.value.blue, path);
                break;
            default: break;
        }
        if (!stored) return false;
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
    checkWritable(path);
    storeUserDefaults(&host.inData(), host.paramsArray());
    std::error_code error;
    if (!fs::is_regular_file(path, error)) throw RunError("cannot store the defaults in \"" + path + "\"");
    if (!storedAsGiven(host.params(), path))
        throw RunError("cannot store the defaults in \"" + path + "\": the file does not hold the values written");
    return path;
}

std::string restoreBuiltInDefaultValues() {
    const std::string path = iniPath();
    std::error_code error;
    // Nothing to remove: say so, and create no folders on the way.
    if (!fs::exists(path, error)) return "no stored defaults to remove (" + path + " does not exist)";
    if (fs::is_directory(path, error))
        throw RunError("cannot remove the stored defaults \"" + path + "\": it is a folder, not a file");
    restoreBuiltInDefaults();
    if (fs::exists(path, error)) throw RunError("cannot remove \"" + path + "\"");
    return "removed the stored defaults (" + path + ")";
}

}  // namespace vmcli
