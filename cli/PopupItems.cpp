#include "cli/PopupItems.h"

namespace vmcli {

std::vector<std::string> popupItems(const PF_ParamDef& def) {
    std::vector<std::string> items;
    const char* names = def.u.pd.u.namesptr;
    if (names == nullptr) return items;
    std::string item;
    for (const char* c = names; *c != '\0'; ++c) {
        if (*c == '|') {
            items.push_back(item);
            item.clear();
        } else {
            item += *c;
        }
    }
    items.push_back(item);
    return items;
}

}  // namespace vmcli
