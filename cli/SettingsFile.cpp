#include "cli/SettingsFile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/CliErrors.h"
#include "cli/NumberText.h"
#include "cli/PendingFile.h"
#include "cli/PopupItems.h"

namespace vmcli {

namespace {

std::string withoutLineEnd(std::string line) {
    // Files edited on Windows end their lines with CR LF.
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

bool isBlankOrComment(const std::string& line) {
    const std::size_t first = line.find_first_not_of(" \t");
    return first == std::string::npos || line[first] == '#';
}

std::string hexColor(const PF_Pixel& color) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", color.red, color.green, color.blue);
    return text;
}

// The current value as --set takes it; "" for parameters without one.
std::string valueText(const PF_ParamDef& def) {
    const PF_ParamDefUnion& u = def.u;
    switch (def.param_type) {
        case PF_Param_SLIDER: return std::to_string(u.sd.value);
        case PF_Param_FLOAT_SLIDER: return formatDouble(u.fs_d.value);
        case PF_Param_POPUP: {
            const std::vector<std::string> items = popupItems(def);
            const A_long choice = u.pd.value;
            const bool named = choice >= 1 && choice <= static_cast<A_long>(items.size());
            return named ? items[static_cast<std::size_t>(choice - 1)] : std::to_string(choice);
        }
        case PF_Param_CHECKBOX: return u.bd.value ? "on" : "off";
        case PF_Param_COLOR: return hexColor(u.cd.value);
        default: return "";
    }
}

}  // namespace

std::vector<ParamSetting> parseSettingsText(const std::string& text, const std::string& fileName) {
    std::vector<ParamSetting> settings;
    std::istringstream lines(text);
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        line = withoutLineEnd(line);
        if (isBlankOrComment(line)) continue;
        const std::string origin = fileName + " line " + std::to_string(number);
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos || equals == 0)
            throw UsageError("--settings: " + origin + " \"" + line + "\" is not NAME=VALUE, e.g. Blur Amount=4");
        settings.push_back(ParamSetting{line.substr(0, equals), line.substr(equals + 1), origin});
    }
    return settings;
}

std::vector<ParamSetting> readSettingsFile(const std::string& path) {
    std::error_code error;
    std::ifstream file(path, std::ios::binary);
    std::ostringstream contents;
    // A folder opens as a stream that reads nothing.
    if (file && std::filesystem::is_regular_file(path, error)) contents << file.rdbuf();
    if (!file || !std::filesystem::is_regular_file(path, error) || file.bad())
        throw UsageError("--settings: cannot read \"" + path + "\"");
    return parseSettingsText(contents.str(), path);
}

void applyParamSettings(vmhost::ParamList& params, const std::vector<ParamSetting>& settings) {
    for (const ParamSetting& setting : settings) {
        try {
            applyParamSetting(params, setting);
        } catch (const UsageError& e) {
            if (setting.origin.empty()) throw;
            throw UsageError("--settings: " + setting.origin + ": " + e.what());
        }
    }
}

std::string settingsText(const vmhost::ParamList& params) {
    std::string text = "# Velumixer parameter values; read with velumixer-render --settings FILE\n";
    for (PF_ParamIndex i = 1; i < params.count(); ++i) {
        const std::string value = valueText(params.at(i));
        if (!value.empty()) text += paramName(params.at(i)) + "=" + value + "\n";
    }
    return text;
}

void writeSettingsFile(const vmhost::ParamList& params, const std::string& path) {
    PendingFile pending(path);
    {
        std::ofstream file(pending.tempPath(), std::ios::binary | std::ios::trunc);
        file << settingsText(params);
        file.close();
        if (!file) throw RunError("cannot write \"" + path + "\"");
    }
    pending.commit();
}

}  // namespace vmcli
