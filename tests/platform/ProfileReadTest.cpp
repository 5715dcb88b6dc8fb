// Reading settings. Natively these check the stand-in; under Wine the same
// expectations run against Win32 itself, which keeps the two in step.
#include "platform/Profile.h"

#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kFallback = 77;

class ProfileReadTest : public ::testing::Test {
protected:
    // Each test writes its file once, before the first read: Windows caches the file.
    void givenFile(const std::string& bytes) { folder_.put("Velumixer.ini", bytes); }

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

TEST_F(ProfileReadTest, IntegersFollowTheWindowsNumberRules) {
    givenFile(
        "[S]\r\n"
        "decimal=42\r\n"
        "negative=-17\r\n"
        "plus=+5\r\n"
        "hex=0x1F\r\n"
        "hexDigits=0xABCdef\r\n"
        "upperPrefix=0XfF\r\n"
        "leadingZero=010\r\n"
        "binary=0b101\r\n"
        "octal=0o17\r\n"
        "negativeHex=-0x10\r\n"
        "trailingJunk=12abc\r\n"
        "fraction=3.75\r\n"
        "letters=abc\r\n"
        "signOnly=-\r\n"
        "prefixOnly=0x\r\n"
        "spacedSign=- 3\r\n"
        "doubleSign=--3\r\n"
        "quoted=\"12\"\r\n"
        "padded= \t8\t \r\n");

    const std::vector<std::pair<const char*, unsigned>> expected = {
        {"decimal", 42u},        {"negative", 0u - 17u},   {"plus", 5u},
        {"hex", 31u},            {"hexDigits", 0xABCDEFu}, {"upperPrefix", 0u},
        {"leadingZero", 10u},    {"binary", 5u},           {"octal", 15u},
        {"negativeHex", 0u - 16u}, {"trailingJunk", 12u},  {"fraction", 3u},
        {"letters", 0u},         {"signOnly", 0u},         {"prefixOnly", 0u},
        {"spacedSign", 0u},      {"doubleSign", 0u},       {"quoted", 12u},
        {"padded", 8u},
    };
    for (const auto& [key, value] : expected) EXPECT_EQ(intAt("S", key), value) << key;
}

TEST_F(ProfileReadTest, OverlongIntegersWrapModulo2To32) {
    givenFile(
        "[S]\r\n"
        "allBits=4294967295\r\n"
        "wrapsToZero=4294967296\r\n"
        "wrapsToTen=4294967306\r\n"
        "pastIntMax=2147483648\r\n"
        "belowIntMin=-2147483649\r\n"
        "twentyDigits=99999999999999999999\r\n"
        "longHex=0x100000001\r\n");

    EXPECT_EQ(intAt("S", "allBits"), 0xFFFFFFFFu);
    EXPECT_EQ(intAt("S", "wrapsToZero"), 0u);
    EXPECT_EQ(intAt("S", "wrapsToTen"), 10u);
    EXPECT_EQ(intAt("S", "pastIntMax"), 0x80000000u);
    EXPECT_EQ(intAt("S", "belowIntMin"), 0x7FFFFFFFu);
    EXPECT_EQ(intAt("S", "twentyDigits"), 1661992959u);
    EXPECT_EQ(intAt("S", "longHex"), 1u);
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
    givenFile(
        "[S]\r\n"
        "double=\"quoted\"\r\n"
        "single='quoted'\r\n"
        "mismatched=\"quoted'\r\n"
        "opening=\"quoted\r\n"
        "inner=mid\"dle\"\r\n"
        "padded=  \"  kept  \"  \r\n"
        "lone=\"\r\n");

    EXPECT_EQ(textAt("S", "double"), "quoted");
    EXPECT_EQ(textAt("S", "single"), "quoted");
    EXPECT_EQ(textAt("S", "mismatched"), "\"quoted'");
    EXPECT_EQ(textAt("S", "opening"), "\"quoted");
    EXPECT_EQ(textAt("S", "inner"), "mid\"dle\"");
    EXPECT_EQ(textAt("S", "padded"), "  kept  ");
    EXPECT_EQ(textAt("S", "lone"), "\"");
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
