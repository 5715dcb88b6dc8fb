// --set values checked against the definitions an effect added.
#include "CliScratch.h"
#include "cli/CliErrors.h"
#include "cli/ParamSetting.h"
#include "tests/support/EffectHostFixture.h"

#include <gtest/gtest.h>

namespace {

using vmcli::applyParamSetting;
using vmcli::UsageError;

// The effect's own parameters, as a user names them, with no stored defaults.
class ParamSettingTest : public EffectHostTest {
protected:
    void SetUp() override {
        EffectHostTest::SetUp();
        setUpInstance();
    }

    void set(const char* name, const char* value) { applyParamSetting(host().params(), {name, value}); }
    std::string refusal(const char* name, const char* value) {
        try {
            set(name, value);
            return "";
        } catch (const UsageError& e) {
            return e.what();
        }
    }

    CliScratch scratch;  // keeps the user's stored defaults away
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
    EXPECT_NE(std::string::npos, unknown.find("\"Blur Repeat Num\", \"Blur Aspect\"")) << unknown;
    EXPECT_EQ(std::string::npos, unknown.find("\"Key Colors\"")) << "groups hold no value";
    EXPECT_NE("", refusal("", "1")) << "the input layer and group ends are nameless and not settable";
    EXPECT_EQ(3, param("Blur Repeat Num").u.sd.value) << "refused values change nothing";
}

}  // namespace
