#include "host/ParamList.h"

#include <cstring>
#include <stdexcept>

namespace vmhost {

struct ParamList::Entry {
    PF_ParamDef def;
    std::string text;  // what the definition's text pointer names, if it has one
};

namespace {

// The one text pointer a definition of this type carries, or null.
const A_char** textPointer(PF_ParamDef& def) {
    switch (def.param_type) {
        case PF_Param_POPUP: return &def.u.pd.u.namesptr;
        case PF_Param_CHECKBOX: return &def.u.bd.u.nameptr;
        case PF_Param_BUTTON: return &def.u.button_d.u.namesptr;
        default: return nullptr;
    }
}

std::string typeMismatch(PF_ParamIndex index, const PF_ParamDef& def) {
    return "parameter " + std::to_string(index) + " (\"" + std::string(def.name, strnlen(def.name, sizeof def.name)) +
           "\") has type " + std::to_string(def.param_type);
}

}  // namespace

ParamList::ParamList() {
    auto layer = std::make_unique<Entry>();
    std::memset(&layer->def, 0, sizeof layer->def);
    layer->def.param_type = PF_Param_LAYER;
    layer->def.u.ld.dephault = PF_LayerDefault_MYSELF;
    push(std::move(layer));
}

ParamList::~ParamList() = default;

void ParamList::push(std::unique_ptr<Entry> entry) {
    entries_.push_back(std::move(entry));
    array_.push_back(&entries_.back()->def);
}

void ParamList::beginSetup() {
    // The input layer, and the world a test gave it, stay.
    entries_.resize(1);
    array_.resize(1);
    reportedNumParams_ = 0;
    inSetup_ = true;
}

void ParamList::endSetup(A_long reportedNumParams) {
    reportedNumParams_ = reportedNumParams;
    inSetup_ = false;
}

void ParamList::append(const PF_ParamDef& def) {
    auto entry = std::make_unique<Entry>();
    entry->def = def;
    if (const A_char** text = textPointer(entry->def); text && *text) {
        entry->text = *text;
        *text = entry->text.c_str();
    }
    push(std::move(entry));
}

const PF_ParamDef& ParamList::at(PF_ParamIndex index) const {
    if (!has(index)) throw std::out_of_range("no parameter at index " + std::to_string(index));
    return entries_[static_cast<std::size_t>(index)]->def;
}

PF_ParamDef& ParamList::at(PF_ParamIndex index) {
    return const_cast<PF_ParamDef&>(static_cast<const ParamList&>(*this).at(index));
}

std::optional<PF_ParamIndex> ParamList::find(const std::string& name) const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const PF_ParamDef& def = entries_[i]->def;
        if (name == std::string(def.name, strnlen(def.name, sizeof def.name))) return static_cast<PF_ParamIndex>(i);
    }
    return std::nullopt;
}

PF_ParamIndex ParamList::indexOf(const std::string& name) const {
    if (const auto index = find(name)) return *index;
    throw std::out_of_range("no parameter named \"" + name + "\"");
}

void ParamList::setInputWorld(const PF_EffectWorld& world) {
    const A_long dephault = at(0).u.ld.dephault;
    at(0).u.ld = world;
    at(0).u.ld.dephault = dephault;
}

PF_ParamDef& ParamList::ofType(PF_ParamIndex index, std::initializer_list<PF_ParamType> types) {
    PF_ParamDef& def = at(index);
    for (PF_ParamType type : types) {
        if (def.param_type == type) return def;
    }
    throw std::invalid_argument(typeMismatch(index, def));
}

void ParamList::setValue(PF_ParamIndex index, A_long value) {
    PF_ParamDef& def = ofType(index, {PF_Param_SLIDER, PF_Param_POPUP, PF_Param_CHECKBOX});
    switch (def.param_type) {
        case PF_Param_SLIDER: def.u.sd.value = value; break;
        case PF_Param_POPUP: def.u.pd.value = value; break;
        default: def.u.bd.value = value; break;
    }
}

void ParamList::setValue(const std::string& name, A_long value) {
    setValue(indexOf(name), value);
}

void ParamList::setFloatValue(PF_ParamIndex index, double value) {
    ofType(index, {PF_Param_FLOAT_SLIDER}).u.fs_d.value = value;
}

void ParamList::setFloatValue(const std::string& name, double value) {
    setFloatValue(indexOf(name), value);
}

void ParamList::setColor(PF_ParamIndex index, const PF_Pixel& value) {
    ofType(index, {PF_Param_COLOR}).u.cd.value = value;
}

void ParamList::setColor(const std::string& name, const PF_Pixel& value) {
    setColor(indexOf(name), value);
}

void ParamList::setUiFlags(PF_ParamIndex index, PF_ParamUIFlags flags, bool on) {
    PF_ParamDef& def = at(index);
    def.ui_flags = on ? (def.ui_flags | flags) : (def.ui_flags & ~flags);
}

void ParamList::setUiFlags(const std::string& name, PF_ParamUIFlags flags, bool on) {
    setUiFlags(indexOf(name), flags, on);
}

}  // namespace vmhost
