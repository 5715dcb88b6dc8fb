// --set values checked against the definitions an effect added.
#include "cli/CliErrors.h"
#include "cli/ParamSetting.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using vmcli::applyParamSetting;
using vmcli::UsageError;

PF_ParamDef definition(PF_ParamType type, const char* name) {
    PF_ParamDef def;
    std::memset(&def, 0, sizeof def);
    def.param_type = type;
    std::strncpy(def.name, name, sizeof def.name - 1);
    return def;
}

// A parameter set shaped like the effect's: one of each kind it uses.
class ParamSettingTest : public ::testing::Test {
protected:
    void SetUp() override {
        PF_ParamDef type = definition(PF_Param_POPUP, "Blur Type");
        type.u.pd.num_choices = 2;
        type.u.pd.dephault = type.u.pd.value = 2;
        type.u.pd.u.namesptr = "Gaussian|Box";
        params.append(type);
        PF_ParamDef repeat = definition(PF_Param_SLIDER, "Blur Repeat Num");
        repeat.u.sd.valid_min = 1;
        repeat.u.sd.valid_max = 10;
        repeat.u.sd.dephault = repeat.u.sd.value = 3;
        params.append(repeat);
        params.append(definition(PF_Param_GROUP_START, "Key Colors"));
        PF_ParamDef range = definition(PF_Param_FLOAT_SLIDER, "1 : Color Range");
        range.u.fs_d.valid_max = range.u.fs_d.slider_max = 100;
        range.u.fs_d.precision = 1;
        range.u.fs_d.display_flags = PF_ValueDisplayFlag_PERCENT;
        params.append(range);
        PF_ParamDef enable = definition(PF_Param_CHECKBOX, "1 : Enable");
        params.append(enable);
        PF_ParamDef color = definition(PF_Param_COLOR, "1 : Color");
        color.u.cd.dephault = color.u.cd.value = PF_Pixel{255, 3, 180, 245};
        params.append(color);
        params.append(definition(PF_Param_GROUP_END, ""));
    }

    const PF_ParamDef& param(const char* name) { return params.at(params.indexOf(name)); }
    void set(const char* name, const char* value) { applyParamSetting(params, {name, value}); }
    std::string refusal(const char* name, const char* value) {
        try {
            set(name, value);
            return "";
        } catch (const UsageError& e) {
            return e.what();
        }
    }

    vmhost::ParamList params;
};

TEST_F(ParamSettingTest, EachKindTakesItsOwnForms) {
    set("Blur Type", "Gaussian");
    EXPECT_EQ(1, param("Blur Type").u.pd.value);
    set("Blur Type", "2");
    EXPECT_EQ(2, param("Blur Type").u.pd.value);
    set("Blur Type", "gaussian");
    EXPECT_EQ(1, param("Blur Type").u.pd.value) << "case only matters when it tells items apart";
    set("Blur Repeat Num", "10");
    EXPECT_EQ(10, param("Blur Repeat Num").u.sd.value);
    set("1 : Color Range", "12.5");
    EXPECT_DOUBLE_EQ(12.5, param("1 : Color Range").u.fs_d.value);
    set("1 : Color Range", "20%");
    EXPECT_DOUBLE_EQ(20.0, param("1 : Color Range").u.fs_d.value) << "percent sliders may carry the sign";
    set("1 : Enable", "on");
    EXPECT_EQ(1, param("1 : Enable").u.bd.value);
    set("1 : Enable", "0");
    EXPECT_EQ(0, param("1 : Enable").u.bd.value);
    set("1 : Enable", "ON");
    EXPECT_EQ(1, param("1 : Enable").u.bd.value);
    set("1 : Color", "#FF8001");
    const PF_Pixel color = param("1 : Color").u.cd.value;
    EXPECT_EQ(255, color.alpha);
    EXPECT_EQ(255, color.red);
    EXPECT_EQ(128, color.green);
    EXPECT_EQ(1, color.blue);
    set("1 : Color", "#0a0B0c");
    EXPECT_EQ(10, param("1 : Color").u.cd.value.red);
}

TEST_F(ParamSettingTest, RefusalsNameTheParameterAndWhatItTakes) {
    EXPECT_EQ("--set \"Blur Repeat Num=11\": Blur Repeat Num takes a whole number from 1 to 10",
              refusal("Blur Repeat Num", "11"));
    EXPECT_NE(std::string::npos, refusal("Blur Repeat Num", "2.5").find("whole number"));
    EXPECT_NE(std::string::npos, refusal("1 : Color Range", "100.5").find("a number from 0 to 100"));
    EXPECT_NE(std::string::npos, refusal("1 : Color Range", "nan").find("a number"));
    EXPECT_NE(std::string::npos, refusal("1 : Color Range", "4,5").find("a number"));
    EXPECT_EQ("--set \"Blur Type=3\": Blur Type takes one of Gaussian, Box (or 1 to 2)", refusal("Blur Type", "3"));
    EXPECT_NE(std::string::npos, refusal("1 : Enable", "yes").find("on, off, 1 or 0"));
    for (const char* bad : {"03B4F5", "#03B4F", "#03B4F5FF", "#03B4G5"})
        EXPECT_NE(std::string::npos, refusal("1 : Color", bad).find("#RRGGBB")) << bad;
    EXPECT_NE(std::string::npos, refusal("Key Colors", "1").find("holds no value"));

    const std::string unknown = refusal("Blur Amout", "4");
    EXPECT_NE(std::string::npos, unknown.find("no parameter named \"Blur Amout\""));
    EXPECT_NE(std::string::npos, unknown.find("\"Blur Repeat Num\", \"1 : Color Range\"")) << unknown;
    EXPECT_EQ(std::string::npos, unknown.find("\"Key Colors\"")) << "groups hold no value";
    EXPECT_NE("", refusal("", "1")) << "the input layer and group ends are nameless and not settable";
    EXPECT_EQ(3, param("Blur Repeat Num").u.sd.value) << "refused values change nothing";
}

}  // namespace
