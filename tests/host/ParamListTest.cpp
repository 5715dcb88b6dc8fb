// The host's copy of an instance's parameters, without an effect.

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

#include "host/ParamList.h"

namespace {

PF_ParamDef definition(PF_ParamType type, const char* name) {
    PF_ParamDef def;
    std::memset(&def, 0, sizeof def);
    def.param_type = type;
    std::strncpy(def.name, name, sizeof def.name - 1);
    return def;
}

TEST(ParamList, KeepsStableCopiesAndRefusesWrongEdits) {
    vmhost::ParamList list;
    ASSERT_EQ(1, list.count()) << "the input layer is always there";
    EXPECT_EQ(PF_Param_LAYER, list.at(0).param_type);

    list.beginSetup();
    list.append(definition(PF_Param_POPUP, "Channel"));
    PF_ParamDef unlabelled = definition(PF_Param_CHECKBOX, "Flag");
    list.append(unlabelled);
    PF_ParamDef* const firstInArray = list.array()[1];
    for (int i = 0; i < 40; ++i) list.append(definition(PF_Param_SLIDER, "Filler"));
    list.endSetup(42);

    // Appending more never moves what the params array already points at.
    EXPECT_EQ(firstInArray, list.array()[1]);
    EXPECT_EQ(&list.at(1), list.array()[1]);
    EXPECT_EQ(nullptr, list.at(2).u.bd.u.nameptr) << "a missing label stays missing";
    EXPECT_EQ(3, list.indexOf("Filler")) << "the lowest index of a name";

    // Edits check the parameter exists and holds such a value.
    EXPECT_THROW(list.setValue("Missing", 1), std::out_of_range);
    EXPECT_THROW(list.setValue(43, 1), std::out_of_range);
    EXPECT_THROW(list.setFloatValue("Channel", 1.0), std::invalid_argument);
    EXPECT_THROW(list.setColor(0, PF_Pixel{}), std::invalid_argument);
    list.setValue("Channel", 2);
    EXPECT_EQ(2, list.at(1).u.pd.value);

    list.at(2).ui_flags = PF_PUI_INVISIBLE;
    list.setUiFlags("Flag", PF_PUI_DISABLED, true);
    EXPECT_TRUE(list.isDisabled(2));
    list.setUiFlags(2, PF_PUI_DISABLED, false);
    EXPECT_EQ(PF_PUI_INVISIBLE, list.at(2).ui_flags) << "other flags are left alone";

    PF_EffectWorld world{};
    world.width = 16;
    world.dephault = 1234;
    list.setInputWorld(world);
    EXPECT_EQ(16, list.at(0).u.ld.width);
    EXPECT_EQ(PF_LayerDefault_MYSELF, list.at(0).u.ld.dephault);

    // A new setup starts over from the layer, which keeps its world.
    list.beginSetup();
    EXPECT_EQ(16, list.at(0).u.ld.width);
}

}  // namespace
