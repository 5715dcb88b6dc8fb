// Reading settings. Natively these check the stand-in; under Wine the same
// expectations run against Win32 itself, which keeps the two in step.
#include "platform/Profile.h"

#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <iterator>
#include <utility>
#include <vector>

namespace {

constexpr int kFallback = 77;

class ProfileReadTest : public ::testing::Test {
protected:
    // Each test writes its file once, before the first read: Windows caches the file.
    void givenFile(const std::string& bytes) { folder_.put("Velumixer.ini", bytes); }

    // Section [S] with each row's text under a key of its own, keyFor(row index).
    template <class Row, std::size_t N>
    void givenValues(const Row (&rows)[N]) {
        std::string file = "[S]\r\n";
        for (std::size_t i = 0; i < N; ++i) file += keyFor(i) + "=" + rows[i].first + "\r\n";
        givenFile(file);
    }
    static std::string keyFor(std::size_t row) { return "key" + std::to_string(row); }

    unsigned intAt(const char* section, const char* key, int fallback = kFallback) const {
        return platform::getProfileInt(section, key, fallback, path_.c_str());
    }

    // The text and the count returned, read through a buffer of the given size.
    std::pair<std::string, std::size_t> stringAt(const char* section, const char* key,
                                                 const char* fallback = "fallback",
                                                 std::size_t size = 128) const {
        // Filled beyond the given size, so a missing terminator shows as '#'.
        std::vector<char> buffer(size + 1, '#');
        buffer[size] = '\0';
        const std::size_t count =
            platform::getProfileString(section, key, fallback, buffer.data(), size, path_.c_str());
        return {std::string(buffer.data()), count};
    }

    std::string textAt(const char* section, const char* key) const { return stringAt(section, key).first; }

    ScratchFolder folder_;
    std::string path_ = folder_.file("Velumixer.ini");
};

TEST_F(ProfileReadTest, IntegersFollowTheWindowsNumberRulesAndWrapModulo2To32) {
    const std::pair<const char*, unsigned> rows[] = {
        {"42", 42u},           {"-17", 0u - 17u},     {"+5", 5u},          {"0x1F", 31u},
        {"0xABCdef", 0xABCDEFu}, {"0XfF", 0u},        {"010", 10u},        {"0b101", 5u},
        {"0o17", 15u},         {"-0x10", 0u - 16u},   {"12abc", 12u},      {"3.75", 3u},
        {"abc", 0u},           {"-", 0u},             {"0x", 0u},          {"- 3", 0u},
        {"--3", 0u},           {"\"12\"", 12u},       {" \t8\t ", 8u},
        // Overlong numbers wrap.
        {"4294967295", 0xFFFFFFFFu}, {"4294967296", 0u}, {"4294967306", 10u}, {"2147483648", 0x80000000u},
        {"-2147483649", 0x7FFFFFFFu}, {"99999999999999999999", 1661992959u}, {"0x100000001", 1u},
    };
    givenValues(rows);
    for (std::size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(intAt("S", keyFor(i).c_str()), rows[i].second) << rows[i].first;
}

TEST_F(ProfileReadTest, MissingOrEmptyValuesGiveTheFallback) {
    const std::string missing = folder_.file("Missing.ini");
    char text[16];
    EXPECT_EQ(platform::getProfileInt("S", "present", kFallback, missing.c_str()),
              static_cast<unsigned>(kFallback));
    EXPECT_EQ(platform::getProfileString("S", "present", "none", text, sizeof text, missing.c_str()), 4u);
    EXPECT_STREQ(text, "none");

    givenFile(
        "[S]\r\n"
        "present=1\r\n"
        "empty=\r\n"
        "blank=   \r\n"
        "quotesOnly=\"\"\r\n"
        "[Other]\r\n"
        "elsewhere=2\r\n");

    EXPECT_EQ(intAt("S", "present"), 1u);
    EXPECT_EQ(intAt("S", "absent"), static_cast<unsigned>(kFallback));
    EXPECT_EQ(intAt("S", "absent", -5), 0u - 5u);
    EXPECT_EQ(intAt("NoSuchSection", "present"), static_cast<unsigned>(kFallback));
    EXPECT_EQ(intAt("S", "elsewhere"), static_cast<unsigned>(kFallback));
    EXPECT_EQ(intAt("S", "empty"), static_cast<unsigned>(kFallback));
    EXPECT_EQ(intAt("S", "blank"), static_cast<unsigned>(kFallback));
    EXPECT_EQ(intAt("S", "quotesOnly"), static_cast<unsigned>(kFallback));

    // A key that is there but empty is read as empty text, not as the fallback.
    EXPECT_EQ(stringAt("S", "empty"), std::make_pair(std::string(), std::size_t{0}));
    EXPECT_EQ(textAt("S", "absent"), "fallback");
    EXPECT_EQ(textAt("NoSuchSection", "present"), "fallback");
}

TEST_F(ProfileReadTest, SectionsAndKeysMatchRegardlessOfCaseAndBlanks) {
    givenFile(
        "[Version=1.0]\r\n"
        "Blur Type=3\r\n"
        "1 : Color.r=0.250000\r\n"
        "  Spaced Key  =  spaced value  \r\n"
        "Twice=first\r\n"
        "twice=second\r\n"
        "Equation=a=b\r\n"
        "[Other]\r\n"
        "G=9\r\n"
        "[  Padded  ]\r\n"
        "x=4\r\n");

    EXPECT_EQ(intAt("version=1.0", "BLUR TYPE"), 3u);
    EXPECT_EQ(textAt("VERSION=1.0", "1 : color.R"), "0.250000");
    EXPECT_EQ(textAt("Version=1.0", "spaced key"), "spaced value");
    EXPECT_EQ(textAt("Version=1.0", "TWICE"), "first");
    EXPECT_EQ(textAt("Version=1.0", "Equation"), "a=b");
    EXPECT_EQ(intAt("Version=1.0", "G"), static_cast<unsigned>(kFallback)) << "G lives in [Other]";
    EXPECT_EQ(intAt("other", "g"), 9u);
    EXPECT_EQ(intAt("Padded", "x"), 4u);
}

TEST_F(ProfileReadTest, TextLosesOneMatchingPairOfQuotes) {
    const std::pair<const char*, const char*> rows[] = {
        {"\"quoted\"", "quoted"},          {"'quoted'", "quoted"},       {"\"quoted'", "\"quoted'"},
        {"\"quoted", "\"quoted"},          {"mid\"dle\"", "mid\"dle\""}, {"  \"  kept  \"  ", "  kept  "},
        {"\"", "\""},
    };
    givenValues(rows);
    for (std::size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(textAt("S", keyFor(i).c_str()), rows[i].second) << rows[i].first;
}

TEST_F(ProfileReadTest, TextIsTruncatedToTheBuffer) {
    givenFile(
        "[S]\r\n"
        "digits=0123456789\r\n");

    using Result = std::pair<std::string, std::size_t>;
    EXPECT_EQ(stringAt("S", "digits", "", 11), Result("0123456789", 10));
    EXPECT_EQ(stringAt("S", "digits", "", 10), Result("012345678", 9));
    EXPECT_EQ(stringAt("S", "digits", "", 5), Result("0123", 4));
    EXPECT_EQ(stringAt("S", "digits", "", 1), Result("", 0));

    EXPECT_EQ(stringAt("S", "absent", "default", 4), Result("def", 3));
    EXPECT_EQ(stringAt("S", "absent", "  trailing   "), Result("  trailing", 10));
    EXPECT_EQ(stringAt("S", "absent", nullptr), Result("", 0));
}

}  // namespace
