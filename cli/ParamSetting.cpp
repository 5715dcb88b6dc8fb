#include "cli/ParamSetting.h"

#include <cctype>
#include <cstring>

#include "cli/CliErrors.h"
#include "cli/NumberText.h"
#include "cli/PopupItems.h"

namespace vmcli {

namespace {

std::string lowerCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string joined(const std::vector<std::string>& items, const char* separator) {
    std::string text;
    for (const std::string& item : items) text += (text.empty() ? "" : separator) + item;
    return text;
}

[[noreturn]] void refuse(const ParamSetting& setting, const PF_ParamDef& def) {
    throw UsageError("--set \"" + setting.name + "=" + setting.value + "\": " + setting.name + " takes " +
                     acceptedValues(def));
}

// Float sliders shown as percentages may be given with the sign.
std::string withoutPercentSign(const std::string& text, const PF_ParamDef& def) {
    if ((def.u.fs_d.display_flags & PF_ValueDisplayFlag_PERCENT) && !text.empty() && text.back() == '%')
        return text.substr(0, text.size() - 1);
    return text;
}

A_long popupChoice(const ParamSetting& setting, const PF_ParamDef& def) {
    const std::vector<std::string> items = popupItems(def);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i] == setting.value) return static_cast<A_long>(i + 1);
    }
    // Item texts are matched exactly first, so a case-only match is a fallback.
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (lowerCase(items[i]) == lowerCase(setting.value)) return static_cast<A_long>(i + 1);
    }
    const auto number = parseInteger(setting.value);
    if (number && *number >= 1 && *number <= def.u.pd.num_choices) return static_cast<A_long>(*number);
    refuse(setting, def);
}

A_long checkboxState(const ParamSetting& setting, const PF_ParamDef& def) {
    const std::string value = lowerCase(setting.value);
    if (value == "on" || value == "1") return 1;
    if (value == "off" || value == "0") return 0;
    refuse(setting, def);
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

PF_Pixel colorValue(const ParamSetting& setting, const PF_ParamDef& def) {
    const std::string& text = setting.value;
    if (text.size() != 7 || text[0] != '#') refuse(setting, def);
    int channels[3];
    for (int c = 0; c < 3; ++c) {
        const int high = hexDigit(text[1 + 2 * c]);
        const int low = hexDigit(text[2 + 2 * c]);
        if (high < 0 || low < 0) refuse(setting, def);
        channels[c] = high * 16 + low;
    }
    // Colour parameters are opaque, as the host's colour picker makes them.
    return PF_Pixel{255, static_cast<A_u_char>(channels[0]), static_cast<A_u_char>(channels[1]),
                    static_cast<A_u_char>(channels[2])};
}

}  // namespace

std::string paramName(const PF_ParamDef& def) {
    return std::string(def.name, strnlen(def.name, sizeof def.name));
}

ParamSetting parseParamSetting(const std::string& text) {
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos)
        throw UsageError("--set \"" + text + "\": write it as NAME=VALUE, e.g. --set \"Blur Amount=4\"");
    if (equals == 0) throw UsageError("--set \"" + text + "\": the parameter name is missing");
    return {text.substr(0, equals), text.substr(equals + 1)};
}

std::string acceptedValues(const PF_ParamDef& def) {
    const PF_ParamDefUnion& u = def.u;
    switch (def.param_type) {
        case PF_Param_SLIDER:
            return "a whole number from " + std::to_string(u.sd.valid_min) + " to " + std::to_string(u.sd.valid_max);
        case PF_Param_FLOAT_SLIDER:
            return "a number from " + formatFloat(u.fs_d.valid_min) + " to " + formatFloat(u.fs_d.valid_max);
        case PF_Param_POPUP:
            return "one of " + joined(popupItems(def), ", ") + " (or 1 to " + std::to_string(u.pd.num_choices) + ")";
        case PF_Param_CHECKBOX:
            return "on, off, 1 or 0";
        case PF_Param_COLOR:
            return "a colour as #RRGGBB";
        default:
            return "";
    }
}

void applyParamSetting(vmhost::ParamList& params, const ParamSetting& setting) {
    const auto index = params.find(setting.name);
    if (!index || *index == 0) {
        std::vector<std::string> names;
        for (PF_ParamIndex i = 1; i < params.count(); ++i) {
            if (!acceptedValues(params.at(i)).empty()) names.push_back("\"" + paramName(params.at(i)) + "\"");
        }
        throw UsageError("--set: the effect has no parameter named \"" + setting.name + "\"; it has " +
                         joined(names, ", "));
    }
    const PF_ParamDef& def = params.at(*index);
    switch (def.param_type) {
        case PF_Param_SLIDER: {
            const auto value = parseInteger(setting.value);
            if (!value || *value < def.u.sd.valid_min || *value > def.u.sd.valid_max) refuse(setting, def);
            params.setValue(*index, static_cast<A_long>(*value));
            break;
        }
        case PF_Param_FLOAT_SLIDER: {
            const auto value = parseNumber(withoutPercentSign(setting.value, def));
            if (!value || *value < def.u.fs_d.valid_min || *value > def.u.fs_d.valid_max) refuse(setting, def);
            params.setFloatValue(*index, *value);
            break;
        }
        case PF_Param_POPUP:
            params.setValue(*index, popupChoice(setting, def));
            break;
        case PF_Param_CHECKBOX:
            params.setValue(*index, checkboxState(setting, def));
            break;
        case PF_Param_COLOR:
            params.setColor(*index, colorValue(setting, def));
            break;
        default:
            throw UsageError("--set \"" + setting.name + "=" + setting.value + "\": \"" + setting.name +
                             "\" is a group heading and holds no value");
    }
}

}  // namespace vmcli
