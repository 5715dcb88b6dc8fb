#include "cli/ParamListing.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "cli/NumberText.h"
#include "cli/ParamSetting.h"
#include "cli/PopupItems.h"
#include "host/ParamTypeName.h"

namespace vmcli {

namespace {

std::string hexColor(const PF_Pixel& color) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", color.red, color.green, color.blue);
    return text;
}

std::string rangeText(const PF_ParamDef& def) {
    const PF_ParamDefUnion& u = def.u;
    switch (def.param_type) {
        case PF_Param_SLIDER:
            return std::to_string(u.sd.valid_min) + " to " + std::to_string(u.sd.valid_max);
        case PF_Param_FLOAT_SLIDER: {
            std::string text = formatFloat(u.fs_d.valid_min) + " to " + formatFloat(u.fs_d.valid_max);
            if (u.fs_d.slider_min != u.fs_d.valid_min || u.fs_d.slider_max != u.fs_d.valid_max)
                text += " (slider " + formatFloat(u.fs_d.slider_min) + " to " + formatFloat(u.fs_d.slider_max) + ")";
            if (u.fs_d.display_flags & PF_ValueDisplayFlag_PERCENT) text += ", percent";
            return text;
        }
        case PF_Param_POPUP: {
            const std::vector<std::string> items = popupItems(def);
            std::string text;
            for (std::size_t i = 0; i < items.size(); ++i)
                text += (i ? ", " : "") + std::to_string(i + 1) + " " + items[i];
            return text;
        }
        case PF_Param_CHECKBOX: return "on/off";
        case PF_Param_COLOR: return "#RRGGBB";
        default: return "";
    }
}

std::string defaultText(const PF_ParamDef& def) {
    const PF_ParamDefUnion& u = def.u;
    switch (def.param_type) {
        case PF_Param_SLIDER: return std::to_string(u.sd.dephault);
        case PF_Param_FLOAT_SLIDER: return formatFixed(u.fs_d.dephault, std::max<int>(u.fs_d.precision, 0));
        case PF_Param_POPUP: {
            const std::vector<std::string> items = popupItems(def);
            const A_long choice = u.pd.dephault;
            const bool named = choice >= 1 && choice <= static_cast<A_long>(items.size());
            return named ? items[static_cast<std::size_t>(choice - 1)] : std::to_string(choice);
        }
        case PF_Param_CHECKBOX: return u.bd.dephault ? "on" : "off";
        case PF_Param_COLOR: return hexColor(u.cd.dephault);
        default: return "";
    }
}

std::string padded(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

}  // namespace

std::string describeParams(const vmhost::ParamList& params) {
    struct Row {
        std::string name, type, range, dephault;
    };
    std::vector<Row> rows;
    std::size_t nameWidth = 4, typeWidth = 4, rangeWidth = 5;
    for (PF_ParamIndex i = 1; i < params.count(); ++i) {
        const PF_ParamDef& def = params.at(i);
        Row row{"\"" + paramName(def) + "\"", vmhost::paramTypeName(def.param_type), rangeText(def), defaultText(def)};
        if (def.param_type == PF_Param_GROUP_END) row.name = "";
        nameWidth = std::max(nameWidth, row.name.size());
        typeWidth = std::max(typeWidth, row.type.size());
        rangeWidth = std::max(rangeWidth, row.range.size());
        rows.push_back(row);
    }
    std::string text = padded("name", nameWidth) + "  " + padded("type", typeWidth) + "  " +
                       padded("range", rangeWidth) + "  default\n";
    for (const Row& row : rows) {
        std::string line = padded(row.name, nameWidth) + "  " + padded(row.type, typeWidth) + "  " +
                           padded(row.range, rangeWidth) + "  " + row.dephault;
        while (!line.empty() && line.back() == ' ') line.pop_back();
        text += line + "\n";
    }
    return text;
}

}  // namespace vmcli
