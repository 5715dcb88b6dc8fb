// The interface language and the fixed texts.
#include "FakeBasicSuite.h"
#include "dialog/DialogTexts.h"
#include "entry/Localization.h"
#include "platform/Platform.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string languageTag;

PF_Err answerLanguage(A_char* tag) {
    std::memcpy(tag, languageTag.data(), languageTag.size());
    return PF_Err_NONE;
}

PF_Err failLanguageQuery(A_char*) {
    return PF_Err_INTERNAL_STRUCT_DAMAGED;
}

int languageFor(const char* tag, PF_Err (*query)(A_char*) = &answerLanguage) {
    languageTag = tag;
    PFAppSuite5 app{};
    app.PF_AppGetLanguage = query;
    FakeBasicSuite host;
    host.serve(kPFAppSuite, 7, &app);
    PF_InData in_data{};
    in_data.pica_basicP = host.basic();
    const int language = getUILanguage(&in_data);
    EXPECT_EQ(0, host.held()) << "the App suite must be released";
    return language;
}

TEST(UILanguageTest, JapaneseTagInAnyCaseMeansJapanese) {
    EXPECT_EQ(kLanguageJapanese, languageFor("ja_JP"));
    EXPECT_EQ(kLanguageJapanese, languageFor("JA_jp"));
    EXPECT_EQ(kLanguageEnglish, languageFor("en_US"));
    EXPECT_EQ(kLanguageEnglish, languageFor("ja_JPX"));  // six characters, no terminator
    EXPECT_EQ(kLanguageEnglish, languageFor("ja"));
    EXPECT_EQ(kLanguageEnglish, languageFor(""));
    EXPECT_EQ(kLanguageEnglish, languageFor("ja_JP", &failLanguageQuery)) << "a failed query means English";
}

TEST(UILanguageTest, WithoutTheAppSuiteTheSystemLanguageDecides) {
    FakeBasicSuite host;
    PF_InData in_data{};
    in_data.pica_basicP = host.basic();
    const int expected = platform::userDefaultUILanguage() == 0x0411 ? kLanguageJapanese : kLanguageEnglish;
    EXPECT_EQ(expected, getUILanguage(&in_data));
}

#if !defined(_WIN32)
TEST(UILanguageTest, SystemLanguageStandInFollowsTheEnvironment) {
    FakeBasicSuite host;
    PF_InData in_data{};
    in_data.pica_basicP = host.basic();
    setenv("VELUMIXER_UI_LANGUAGE", "1041", 1);
    EXPECT_EQ(kLanguageJapanese, getUILanguage(&in_data));
    setenv("VELUMIXER_UI_LANGUAGE", "0x0409", 1);
    EXPECT_EQ(kLanguageEnglish, getUILanguage(&in_data));
    unsetenv("VELUMIXER_UI_LANGUAGE");
}
#endif

TEST(LocalizedTextTest, FallsBackToTheOtherLanguageThenToEmpty) {
    EXPECT_STREQ("Velumixer", getLocalizedText(kTextDisplayName, kLanguageEnglish));
    EXPECT_STREQ("Velumixer", getLocalizedText(kTextDisplayName, kLanguageJapanese));
    EXPECT_STREQ("Velumixer", getLocalizedText(kTextOptionsTitle, kLanguageEnglish));
    EXPECT_STRNE("", getLocalizedText(kTextVendorNotice, kLanguageEnglish));
    EXPECT_EQ(0, std::strncmp("https://", getLocalizedText(kTextManualAddress, kLanguageJapanese), 8));
    EXPECT_STREQ("", getLocalizedText(5, kLanguageJapanese));
    EXPECT_STREQ("", getLocalizedText(kTextDisplayName, 2));
    EXPECT_STREQ("", getLocalizedText(kTextDisplayName, -1));
}

TEST(DialogTextTest, EachLanguageHasItsOwnTextAndGapsAreEmpty) {
    using namespace FxOptionDlg;
    EXPECT_STREQ("Restore initial default parameter values", dialogText(kDialogTextRestoreDefaults, kLanguageEnglish));
    EXPECT_STRNE(dialogText(kDialogTextStoreDefaults, kLanguageEnglish),
                 dialogText(kDialogTextStoreDefaults, kLanguageJapanese));
    EXPECT_EQ(0, std::strncmp("<a>", dialogText(kDialogTextManualLink, kLanguageJapanese), 3));
    EXPECT_STREQ("", dialogText(3, kLanguageEnglish)) << "number 3 is not a dialog text";
    EXPECT_STREQ("", dialogText(kDialogTextSettingsGroup, 2));
}

}  // namespace
