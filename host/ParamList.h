#pragma once
// The parameters of the effect instance: the input layer at index 0, then the
// definitions the effect added at parameter setup. Definitions are copies, and
// so are the texts their pointers name (popup items, checkbox and button
// labels): the effect's own strings need not outlive the call. The params
// array handed to commands points at these very definitions, so whatever the
// effect edits there is what the host holds.
//
// Not synchronised: the test and the effect's setup use it on the command
// thread; check-outs from other threads only read it.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "hostapi/HostApi.h"

namespace vmhost {

class ParamList {
public:
    ParamList();  // only the input layer
    ~ParamList();
    ParamList(const ParamList&) = delete;
    ParamList& operator=(const ParamList&) = delete;

    // Parameter setup: the list drops all but the input layer and takes the
    // effect's definitions until endSetup, which notes the count the effect
    // reported.
    void beginSetup();
    void endSetup(A_long reportedNumParams);
    bool inSetup() const { return inSetup_; }
    // Copies `def` as the next index.
    void append(const PF_ParamDef& def);

    // Definitions held, the input layer included.
    int count() const { return static_cast<int>(entries_.size()); }
    bool has(PF_ParamIndex index) const { return index >= 0 && index < count(); }
    // Throws std::out_of_range for an index not held.
    const PF_ParamDef& at(PF_ParamIndex index) const;
    PF_ParamDef& at(PF_ParamIndex index);
    // The lowest index with that exact name.
    std::optional<PF_ParamIndex> find(const std::string& name) const;
    // As find; throws std::out_of_range when no parameter has the name.
    PF_ParamIndex indexOf(const std::string& name) const;
    // num_params as the effect reported it at the last setup (0 before any).
    A_long reportedNumParams() const { return reportedNumParams_; }
    // One pointer per index, for the commands that take the params array.
    PF_ParamDef** array() { return array_.data(); }

    // The world the layer parameter stands for (empty until set).
    void setInputWorld(const PF_EffectWorld& world);

    // Current values, by index or by name. Throw std::out_of_range for an
    // unknown parameter and std::invalid_argument when its type holds no such
    // value.
    void setValue(PF_ParamIndex index, A_long value);  // slider, popup (1-based), checkbox
    void setValue(const std::string& name, A_long value);
    void setFloatValue(PF_ParamIndex index, double value);  // float slider
    void setFloatValue(const std::string& name, double value);
    void setColor(PF_ParamIndex index, const PF_Pixel& value);
    void setColor(const std::string& name, const PF_Pixel& value);

    // Sets or clears UI flags such as PF_PUI_DISABLED.
    void setUiFlags(PF_ParamIndex index, PF_ParamUIFlags flags, bool on);
    void setUiFlags(const std::string& name, PF_ParamUIFlags flags, bool on);
    bool isDisabled(PF_ParamIndex index) const { return (at(index).ui_flags & PF_PUI_DISABLED) != 0; }

private:
    struct Entry;

    void push(std::unique_ptr<Entry> entry);
    PF_ParamDef& ofType(PF_ParamIndex index, std::initializer_list<PF_ParamType> types);

    std::vector<std::unique_ptr<Entry>> entries_;  // heap entries: pointers stay valid
    std::vector<PF_ParamDef*> array_;
    A_long reportedNumParams_ = 0;
    bool inSetup_ = false;
};

}  // namespace vmhost
