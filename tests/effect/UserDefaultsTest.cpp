// New instances start from the user's stored defaults; storing and restoring them.
#include "tests/support/EffectHostFixture.h"
#include "tests/support/UserDefaultsFolder.h"
#include "params/EffectParams.h"
#include "params/ParamRegistry.h"
#include "params/UserDefaults.h"

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

class UserDefaultsTest : public EffectHostTest {
protected:
    UserDefaultsFolder store;
};

TEST_F(UserDefaultsTest, NewInstanceWithoutAFileShowsTheBuiltInDefaults) {
    setUpInstance();
    EXPECT_EQ(30, host().outData().num_params);
    EXPECT_EQ(PF_Param_POPUP, param("Blur Type").param_type);
    EXPECT_EQ(2, param("Blur Type").u.pd.value);
    EXPECT_EQ(2, param("Blur Type").u.pd.num_choices);
    EXPECT_STREQ("Gaussian|Box", param("Blur Type").u.pd.u.namesptr);
    EXPECT_EQ(3, param("Blur Repeat Num").u.sd.value);
    EXPECT_EQ(10, param("Blur Repeat Num").u.sd.valid_max);
    EXPECT_DOUBLE_EQ(5.0, param("G").u.fs_d.value);
    EXPECT_DOUBLE_EQ(15.0, param("B").u.fs_d.value);
    EXPECT_FLOAT_EQ(1000.0f, param("B").u.fs_d.valid_max);
    EXPECT_FLOAT_EQ(100.0f, param("B").u.fs_d.slider_max);
    EXPECT_FLOAT_EQ(0.05f, param("B").u.fs_d.curve_tolerance);
    EXPECT_EQ(1, param("B").u.fs_d.precision);
    EXPECT_EQ(1, param("Auto Alpha").u.bd.value);
    EXPECT_EQ(1, param("Keep Division").u.bd.value);
    EXPECT_EQ(1, param("Mode").u.pd.value);
    EXPECT_STREQ("Normal|Extract|Disable All", param("Mode").u.pd.u.namesptr);
    for (const char* key : {"1", "2", "3", "4"}) {
        const std::string prefix = std::string(key) + " : ";
        EXPECT_EQ(0, param((prefix + "Enable").c_str()).u.bd.value);
        const PF_Pixel color = param((prefix + "Color").c_str()).u.cd.value;
        EXPECT_EQ(255, color.alpha);
        EXPECT_EQ(3, color.red);
        EXPECT_EQ(180, color.green);
        EXPECT_EQ(245, color.blue);
        EXPECT_EQ(PF_ValueDisplayFlag_PERCENT, param((prefix + "Color Range").c_str()).u.fs_d.display_flags);
    }
    // Groups: "RGB Blur" open, "Key Colors" and the sliders collapsed.
    EXPECT_EQ(PF_Param_GROUP_START, host().params().at(6).param_type);
    EXPECT_EQ(0, host().params().at(6).flags & PF_ParamFlag_START_COLLAPSED);
    EXPECT_NE(0, host().params().at(13).flags & PF_ParamFlag_START_COLLAPSED);
    EXPECT_NE(0, param("Blur Amount").flags & PF_ParamFlag_START_COLLAPSED);
    EXPECT_EQ(PF_Param_GROUP_END, host().params().at(12).param_type);
    EXPECT_EQ(PF_Param_GROUP_END, host().params().at(29).param_type);
    // Ids and names in the host's order: saved projects find their controls by id.
    struct Control {
        int index;
        int id;
        const char* name;
    };
    const Control controls[] = {
        {1, 50, "Blur Type"},         {2, 51, "Blur Amount"},     {3, 52, "Blur Repeat Num"},
        {4, 53, "Blur Aspect"},       {5, 55, "Brightness"},      {6, 100, "RGB Blur"},
        {7, 103, "R"},                {8, 104, "G"},              {9, 105, "B"},
        {10, 102, "Auto Alpha"},      {11, 106, "A"},             {12, 101, ""},
        {13, 150, "Key Colors"},      {14, 152, "1 : Enable"},    {15, 153, "1 : Color"},
        {16, 154, "1 : Color Range"}, {17, 155, "2 : Enable"},    {20, 158, "3 : Enable"},
        {25, 163, "4 : Color Range"}, {26, 164, "Mode"},          {27, 165, "Invert"},
        {28, 54, "Keep Division"},    {29, 151, ""},
    };
    for (const Control& c : controls) {
        EXPECT_EQ(c.id, host().params().at(c.index).uu.id) << c.index;
        EXPECT_STREQ(c.name, host().params().at(c.index).name) << c.index;
    }
}

TEST_F(UserDefaultsTest, StoredValuesAreOfferedAndKeptInRange) {
    store.writeIni(
        "[Other]\r\nG=99\r\n"
        "[Version=1.0]\r\n"
        "G=12.5\r\n"
        "1 : Color.r=300\r\n"
        "1 : Color.g=7\r\n"
        "1 : Color.a=9\r\n"
        "Blur Type=65537\r\n"
        "Auto Alpha=256\r\n"
        "Keep Division=0\r\n"
        "Blur Repeat Num=50\r\n"
        "Mode=0\r\n"
        "B=1e999\r\n"
        "Blur Aspect=-500\r\n");
    setUpInstance();
    EXPECT_DOUBLE_EQ(12.5, param("G").u.fs_d.value);
    EXPECT_FLOAT_EQ(12.5f, param("G").u.fs_d.dephault);
    const PF_Pixel color = param("1 : Color").u.cd.value;
    EXPECT_EQ(44, color.red) << "only the low byte counts";
    EXPECT_EQ(7, color.green);
    EXPECT_EQ(245, color.blue);
    EXPECT_EQ(255, color.alpha) << "a stored alpha changes nothing";
    EXPECT_EQ(1, param("Blur Type").u.pd.value) << "65537 is item 1 in 16 bits";
    EXPECT_EQ(0, param("Auto Alpha").u.bd.value) << "256 has a zero low byte";
    EXPECT_EQ(0, param("Keep Division").u.bd.value);
    // Values the host would otherwise be given out of range are mended.
    EXPECT_EQ(10, param("Blur Repeat Num").u.sd.value);
    EXPECT_EQ(1, param("Mode").u.pd.value);
    EXPECT_DOUBLE_EQ(15.0, param("B").u.fs_d.value);
    EXPECT_DOUBLE_EQ(-100.0, param("Blur Aspect").u.fs_d.value);
}

TEST_F(UserDefaultsTest, OlderAfterEffectsNeverReadsTheStore) {
    store.writeIni("[Version=1.0]\r\nG=12.5\r\n");
    for (A_short minor : {11, 12}) {
        vmhost::HostConfig config = vmhost::HostConfig::checking();
        config.apiMajor = 12;
        config.apiMinor = minor;
        start(config);
        setUpInstance();
        EXPECT_DOUBLE_EQ(minor == 11 ? 5.0 : 12.5, param("G").u.fs_d.value) << "12." << minor;
    }
}

TEST_F(UserDefaultsTest, StoredValuesComeBackInTheNextInstanceAndRestoreRemovesThem) {
    setUpInstance();
    host().params().setFloatValue("G", 7.5);
    host().params().setColor("2 : Color", PF_Pixel{17, 10, 20, 30});
    host().params().setValue("Mode", 2);
    host().params().setValue("Invert", 1);

    // The store runs in this process, as the Options dialog would in the module.
    registerParams(&host().inData());
    storeUserDefaults(&host().inData(), host().paramsArray());

    EXPECT_EQ(UserDefaultsFolder::keysInParameterOrder(), store.storedKeys());
    const std::string text = store.readIni();
    EXPECT_NE(std::string::npos, text.find("\r\n2 : Color.a=17\r\n"));

    start(vmhost::HostConfig::checking());
    setUpInstance();
    EXPECT_DOUBLE_EQ(7.5, param("G").u.fs_d.value);
    EXPECT_EQ(20, param("2 : Color").u.cd.value.green);
    EXPECT_EQ(255, param("2 : Color").u.cd.value.alpha);
    EXPECT_EQ(2, param("Mode").u.pd.value);
    EXPECT_EQ(1, param("Invert").u.bd.value);

    restoreBuiltInDefaults();
    EXPECT_FALSE(UserDefaultsFolder::exists(store.iniPath()));
    EXPECT_FALSE(UserDefaultsFolder::exists(store.folder()));
    EXPECT_FALSE(UserDefaultsFolder::exists(store.vendorFolder()));
    EXPECT_TRUE(UserDefaultsFolder::exists(store.appData()));
}

TEST_F(UserDefaultsTest, RestoreKeepsFoldersThatHoldOtherFiles) {
    store.writeIni("[Version=1.0]\r\nG=12.5\r\n");
    std::ofstream(store.folder() + platform::kPathSeparator + "other.txt") << "mine";
    restoreBuiltInDefaults();
    EXPECT_FALSE(UserDefaultsFolder::exists(store.iniPath()));
    EXPECT_TRUE(UserDefaultsFolder::exists(store.folder()));
    EXPECT_TRUE(UserDefaultsFolder::exists(store.vendorFolder()));
}

#if !defined(_WIN32)
TEST(UserDefaultsPathTest, StoreIsOffWhenThePathCannotBeTrusted) {
    char path[kIniPathSize];
    PF_InData in_data{};
    in_data.appl_id = 0x46585443;
    in_data.version.major = 13;
    in_data.version.minor = 27;
    const std::string savedHome = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";

    // A folder so long that the full path would not fit: never a cut, different path.
    setenv("XDG_CONFIG_HOME", ("/" + std::string(240, 'd')).c_str(), 1);
    EXPECT_FALSE(getIniPath(path));
    EXPECT_STREQ("", path);
    EXPECT_EQ(nullptr, prepareIniForSetup(&in_data, path));
    EXPECT_STREQ("Version=1.0", iniSection);

    // No application-data folder at all: never a relative path.
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("HOME");
    EXPECT_FALSE(getIniPath(path));
    EXPECT_EQ(nullptr, prepareIniForSetup(&in_data, path));
    setenv("HOME", savedHome.c_str(), 1);

    setenv("XDG_CONFIG_HOME", "/tmp/velumixer-config", 1);
    ASSERT_TRUE(getIniPath(path));
    EXPECT_STREQ("/tmp/velumixer-config/TRELM/Kavio/Velumixer.ini", path);
    unsetenv("XDG_CONFIG_HOME");
}
#endif

TEST_F(UserDefaultsTest, AFailedAddStopsTheSetupButReportsTheFullCount) {
    ASSERT_EQ(PF_Err_NONE, host().send(PF_Cmd_GLOBAL_SETUP));
    host().paramCalls().failNthAdd(3, PF_Err_OUT_OF_MEMORY);
    EXPECT_EQ(PF_Err_OUT_OF_MEMORY, host().send(PF_Cmd_PARAMS_SETUP));
    EXPECT_EQ(30, host().outData().num_params);
    EXPECT_EQ(3, host().paramCalls().addCalls());
}

}  // namespace
