// Reading the command line: what each option becomes, and the mistakes that stop the program.
#include "cli/ArgumentParser.h"
#include "cli/CliErrors.h"

#include <gtest/gtest.h>

namespace {

using vmcli::Action;
using vmcli::Options;
using vmcli::parseArguments;
using vmcli::UsageError;

// The message of the UsageError the arguments raise, or "" when they are accepted.
std::string refusal(const std::vector<std::string>& args) {
    try {
        parseArguments(args);
        return "";
    } catch (const UsageError& e) {
        return e.what();
    }
}

TEST(ArgumentParserTest, OptionsMayComeAnywhereInEitherForm) {
    const Options options = parseArguments({"--set", "Blur Amount=4", "in.png", "--depth=16", "--set=Mode=Extract",
                                            "--downsample", "2,3", "out.png", "--legacy-render", "--threads", "3",
                                            "--language", "ja", "--jobs=4", "--plugin", "other.so"});
    EXPECT_EQ(Action::Render, options.action);
    EXPECT_EQ("in.png", options.input);
    EXPECT_EQ("out.png", options.output);
    ASSERT_EQ(2u, options.settings.size());
    EXPECT_EQ("Blur Amount", options.settings[0].name);
    EXPECT_EQ("4", options.settings[0].value);
    EXPECT_EQ("Mode", options.settings[1].name) << "only the first '=' of --set=... separates the option";
    EXPECT_EQ("Extract", options.settings[1].value);
    EXPECT_EQ(16, options.depth);
    EXPECT_EQ(2, options.downsampleX);
    EXPECT_EQ(3, options.downsampleY);
    EXPECT_TRUE(options.legacyRender);
    EXPECT_EQ(3, options.threads);
    EXPECT_EQ(vmcli::kDefaultMaxPixels, options.maxPixels);
    EXPECT_EQ(5000000000u, parseArguments({"a", "b", "--max-pixels", "5000000000"}).maxPixels) << "beyond 32 bits";
    EXPECT_EQ(vmcli::Language::Japanese, options.language);
    EXPECT_STREQ("ja_JP", vmcli::languageTag(options.language));
    EXPECT_EQ(4, options.jobs);
    EXPECT_EQ("other.so", options.pluginPath);
}

TEST(ArgumentParserTest, DashesEndOptionsAndShortFormsExpand) {
    const Options options = parseArguments({"--", "-in.png", "--out.png"});
    EXPECT_EQ("-in.png", options.input) << "after -- everything is a file";
    EXPECT_EQ("--out.png", options.output);
    EXPECT_EQ(5, parseArguments({"--downsample", "5", "a", "b"}).downsampleY) << "one factor is both";
    EXPECT_EQ((std::vector<int>{1, 3, 5}), *parseArguments({"a", "b", "--frames", "1-5x2"}).frames);
}

TEST(ArgumentParserTest, ActionsNeedNoFilesAndExcludeEachOther) {
    EXPECT_EQ(Action::ListParams, parseArguments({"--list-params"}).action);
    EXPECT_EQ(Action::About, parseArguments({"--about", "--language", "ja"}).action);
    EXPECT_EQ(Action::StoreDefaults, parseArguments({"--store-defaults", "--set", "G=2"}).action);
    EXPECT_EQ(Action::RestoreDefaults, parseArguments({"--restore-defaults"}).action);
    EXPECT_EQ(Action::Help, parseArguments({"extra", "-h"}).action) << "help is given whatever else is there";
    EXPECT_EQ(Action::Version, parseArguments({"--version", "extra"}).action) << "as help, for help2man";
    EXPECT_NE("", refusal({"--about", "--list-params"}));
    EXPECT_NE("", refusal({"--version", "--about"}));
    EXPECT_NE("", refusal({"--about", "in.png"}));
    EXPECT_NE("", refusal({"--restore-defaults", "--set", "G=2"}));
}

TEST(ArgumentParserTest, FarmOptions) {
    const Options options =
        parseArguments({"a_%d.png", "b_%d.png", "--frames", "1-8", "--chunk", "2/3", "--skip-existing", "--progress",
                        "openjd", "--save-settings", "look.txt"});
    EXPECT_EQ(Action::Render, options.action) << "with INPUT and OUTPUT the settings are saved and the frames rendered";
    ASSERT_TRUE(options.chunk);
    EXPECT_EQ(2, options.chunk->index);
    EXPECT_EQ(3, options.chunk->count);
    EXPECT_EQ(1, parseArguments({"a", "b", "--chunk", "1/1"}).chunk->count);
    EXPECT_TRUE(options.skipExisting);
    EXPECT_EQ(vmcli::ProgressStyle::OpenJD, options.progress);
    EXPECT_EQ("look.txt", options.saveSettingsPath);
    EXPECT_FALSE(parseArguments({"a", "b"}).progress) << "the default depends on the console";

    const Options saveOnly = parseArguments({"--set", "G=2", "--save-settings=look.txt"});
    EXPECT_EQ(Action::SaveSettings, saveOnly.action);
    EXPECT_EQ(1u, saveOnly.settings.size());
}

TEST(ArgumentParserTest, MistakesNameWhatIsWrong) {
    struct Case {
        std::vector<std::string> args;
        const char* expected;
    };
    const Case cases[] = {
        {{"in.png"}, "INPUT and OUTPUT are needed"},
        {{"a", "b", "c"}, "\"c\""},
        {{"a", "b", "--depth", "12"}, "--depth takes 8, 16 or 32"},
        {{"a", "b", "--jobs", "0"}, "--jobs takes a whole number from 1"},
        {{"a", "b", "--threads", "two"}, "--threads"},
        {{"a", "b", "--downsample", "2,"}, "--downsample"},
        {{"a", "b", "--language", "de"}, "--language takes ja or en"},
        {{"a", "b", "--frames", "9-1"}, "runs backwards"},
        {{"a", "b", "--set", "Blur Amount"}, "NAME=VALUE"},
        {{"a", "b", "--set", "=4"}, "name is missing"},
        {{"a", "b", "--set"}, "--set needs a value"},
        {{"a", "b", "--legacy-render=yes"}, "takes no value"},
        {{"a", "b", "--blur", "4"}, "unknown option --blur"},
        {{"a", "b", "--max-pixels", "0"}, "--max-pixels takes a whole number of pixels"},
        {{"a", "b", "--max-pixels", "1e6"}, "--max-pixels takes a whole number of pixels"},
        {{"a", "b", "--chunk", "0/4"}, "--chunk: \"0/4\" needs a chunk number from 1 to 4"},
        {{"a", "b", "--chunk", "5/4"}, "--chunk: \"5/4\" needs a chunk number from 1 to 4"},
        {{"a", "b", "--chunk", "a/b"}, "--chunk: \"a/b\" is not K/N"},
        {{"a", "b", "--chunk", "3/0"}, "--chunk: \"3/0\" needs a chunk count from 1"},
        {{"a", "b", "--chunk", "2"}, "--chunk: \"2\" is not K/N"},
        {{"a", "b", "--chunk", "+1/4"}, "--chunk: \"+1/4\" is not K/N"},
        {{"a", "b", "--progress", "xml"}, "--progress takes bar, lines, openjd or none"},
        {{"a", "b", "--skip-existing=yes"}, "takes no value"},
        {{"a", "b", "--settings", "/nonexistent/look.txt"}, "--settings: cannot read \"/nonexistent/look.txt\""},
        {{"--about", "--save-settings", "s.txt"}, "--save-settings cannot be combined with --about"},
    };
    for (const Case& c : cases) EXPECT_NE(std::string::npos, refusal(c.args).find(c.expected)) << c.expected;
    for (const std::string bad : {"", "/", "1/", "/4", "1/4/2", "-1/4", "1/-4", "1.5/4", " 1/4", "1/2000000"})
        EXPECT_EQ(0u, refusal({"a", "b", "--chunk", bad}).find("--chunk: \"" + bad + "\"")) << bad;
}

}  // namespace
