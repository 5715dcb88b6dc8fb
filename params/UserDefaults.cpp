#include "params/UserDefaults.h"

#include "AEUtil/HostVersion.h"

#include "params/BaseParam.h"
#include "params/ParamGetter.h"
#include "params/ParamRegistry.h"
#include "platform/Profile.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr std::size_t kFloatTextSize = 128;

std::string iniFolderTail() {
    const char sep = platform::kPathSeparator;
    return std::string(1, sep) + "TRELM" + sep + "Kavio" + sep;
}

// "<name>.r" and so on: one key per colour component.
std::string componentKey(const BaseParam& param, char component) {
    return std::string(param.name) + '.' + component;
}

void writeInt(const char* key, const char* iniPath, int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    platform::writeProfileString(iniSection, key, text, iniPath);
}

std::uint8_t readComponent(const BaseParam& param, char component, const char* iniPath, std::uint8_t fallback) {
    return static_cast<std::uint8_t>(
        platform::getProfileInt(iniSection, componentKey(param, component).c_str(), fallback, iniPath) & 0xFF);
}

// The INI path, with its folder chain created; "" when the store is unavailable.
std::string pathWithFolders() {
    char path[kIniPathSize] = {};
    if (!getIniPath(path)) return std::string();
    std::string folder = path;
    platform::removeFileSpec(folder);
    platform::createDirectoryChain(folder);
    return path;
}

}  // namespace

bool userDefaultsSupported(const PF_InData* in_data) {
    if (in_data->appl_id != AEUtil::kAfterEffectsApplId) return true;
    const int major = in_data->version.major;
    const int minor = in_data->version.minor;
    return major > 12 || (major == 12 && minor >= 12);
}

bool getIniPath(char* path) {
    path[0] = '\0';
    const std::string folder = platform::applicationDataFolder();
    // Without the folder the path would be relative, and a cut path would name another
    // file: either way the store stays off.
    if (folder.empty()) return false;
    const std::string full = folder + iniFolderTail() + "Velumixer.ini";
    if (full.size() >= kIniPathSize) return false;
    std::memcpy(path, full.c_str(), full.size() + 1);
    return true;
}

const char* prepareIniForSetup(const PF_InData* in_data, char* pathBuffer) {
    iniSection[0] = '\0';
    if (!userDefaultsSupported(in_data)) return nullptr;
    std::memset(pathBuffer, 0, kIniPathSize);
    std::snprintf(iniSection, sizeof iniSection, "%s", kIniSectionName);
    return getIniPath(pathBuffer) ? pathBuffer : nullptr;
}

std::int32_t readIniInt(const BaseParam& param, const char* iniPath, std::int32_t fallback) {
    if (iniPath == nullptr) return fallback;
    return static_cast<std::int32_t>(platform::getProfileInt(iniSection, param.name, fallback, iniPath));
}

PF_Pixel readIniColor(const BaseParam& param, const char* iniPath, PF_Pixel fallback) {
    if (iniPath == nullptr) return fallback;
    PF_Pixel color = fallback;
    color.red = readComponent(param, 'r', iniPath, fallback.red);
    color.green = readComponent(param, 'g', iniPath, fallback.green);
    color.blue = readComponent(param, 'b', iniPath, fallback.blue);
    return color;
}

double readIniFloat(const BaseParam& param, const char* iniPath, float fallback) {
    if (iniPath == nullptr) return fallback;
    char fallbackText[kFloatTextSize];
    std::snprintf(fallbackText, sizeof fallbackText, "%f", static_cast<double>(fallback));
    char text[kFloatTextSize] = {};
    platform::getProfileString(iniSection, param.name, fallbackText, text, sizeof text, iniPath);
    return std::atof(text);
}

void writeIniInt(const BaseParam& param, const char* iniPath, std::int32_t value) {
    if (iniPath == nullptr) return;
    writeInt(param.name, iniPath, value);
}

void writeIniColor(const BaseParam& param, const char* iniPath, PF_Pixel value) {
    if (iniPath == nullptr) return;
    writeInt(componentKey(param, 'r').c_str(), iniPath, value.red);
    writeInt(componentKey(param, 'g').c_str(), iniPath, value.green);
    writeInt(componentKey(param, 'b').c_str(), iniPath, value.blue);
    writeInt(componentKey(param, 'a').c_str(), iniPath, value.alpha);
}

void writeIniFloat(const BaseParam& param, const char* iniPath, double value) {
    if (iniPath == nullptr) return;
    char text[kFloatTextSize];
    std::snprintf(text, sizeof text, "%f", value);
    platform::writeProfileString(iniSection, param.name, text, iniPath);
}

std::int32_t offeredInt(const PF_InData* in_data, const BaseParam& param, const char* iniPath, std::int32_t builtIn) {
    return userDefaultsSupported(in_data) ? readIniInt(param, iniPath, builtIn) : builtIn;
}

PF_Pixel offeredColor(const PF_InData* in_data, const BaseParam& param, const char* iniPath, PF_Pixel builtIn) {
    return userDefaultsSupported(in_data) ? readIniColor(param, iniPath, builtIn) : builtIn;
}

double offeredFloat(const PF_InData* in_data, const BaseParam& param, const char* iniPath, float builtIn) {
    return userDefaultsSupported(in_data) ? readIniFloat(param, iniPath, builtIn) : builtIn;
}

void storeUserDefaults(PF_InData* in_data, PF_ParamDef* params[]) {
    const std::string path = pathWithFolders();
    if (path.empty()) return;
    // Values written under no section could never be read back.
    if (iniSection[0] == '\0') std::snprintf(iniSection, sizeof iniSection, "%s", kIniSectionName);
    GetParamFromArray getter(params);
    loadAllParams(nullptr, getter);
    releaseAllParams(getter);
    forEachParamByIndex([&](BaseParam& param) {
        param.storeDefault(in_data, path.c_str());
        return 0;
    });
}

void restoreBuiltInDefaults() {
    std::string path = pathWithFolders();
    if (path.empty()) return;
    const std::string appData = platform::applicationDataFolder();
    platform::deleteFile(path);
    // Remove the folders the file leaves empty, up to but never including the
    // application-data folder itself.
    platform::removeFileSpec(path);
    while (path != appData && !path.empty()) {
        if (!platform::removeDirectory(path)) break;
        const std::string before = path;
        platform::removeFileSpec(path);
        if (path == before) break;
    }
}
