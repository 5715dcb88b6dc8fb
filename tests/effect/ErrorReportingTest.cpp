// How failures become host error codes and messages.
#include "AEUtil/AEException.h"
#include "AEUtil/ErrorNames.h"
#include "AEUtil/MbcsText.h"
#include "entry/CommandGuard.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <new>
#include <string>

namespace {

// "不明なエラー" in code page 932.
const char kUnknownError[] = "\x95\x73\x96\xbe\x82\xc8\x83\x47\x83\x89\x81\x5b";
// "あ" in code page 932: lead byte 0x82.
const char kJapaneseChar[] = "\x82\xa0";

class CommandGuardTest : public ::testing::Test {
protected:
    void SetUp() override { std::memset(&out_, 0, sizeof out_); }
    std::string message() const { return std::string(out_.return_msg); }

    PF_OutData out_{};
};

TEST(ErrorNameTest, NamesTheHostCodesAndNothingElse) {
    EXPECT_STREQ("PF_Err_NONE", AEUtil::errorName(0));
    EXPECT_STREQ("", AEUtil::errorName(1));
    EXPECT_STREQ("", AEUtil::errorName(3));
    EXPECT_STREQ("PF_Err_OUT_OF_MEMORY", AEUtil::errorName(4));
    EXPECT_STREQ("PF_Err_INTERNAL_STRUCT_DAMAGED", AEUtil::errorName(512));
    EXPECT_STREQ("PF_Err_BAD_CALLBACK_PARAM", AEUtil::errorName(516));
    EXPECT_STREQ("PF_Err_CANNOT_PARSE_KEYFRAME_TEXT", AEUtil::errorName(518));
    for (int unknown : {5, 511, 519, -1, 600}) EXPECT_STREQ("unknown", AEUtil::errorName(unknown)) << unknown;
}

TEST(AEExceptionTest, OverlongTextIsCutOnACharacterBoundary) {
    // 2046 ASCII bytes, then a double-byte character that straddles the 2047-byte limit.
    std::string text(2046, 'x');
    text += kJapaneseChar;
    text += "tail";
    const AEUtil::AEException e(PF_Err_INTERNAL_STRUCT_DAMAGED, 1, "f", "%s", text.c_str());
    const std::string message = e.message();
    EXPECT_EQ("f(1): " + std::string(2046, 'x'), message);

    const std::string longPath(5000, 'p');
    const AEUtil::Win32Exception w(1, longPath.c_str(), 7, "after");
    EXPECT_EQ(std::string(2047, 'p') + "after", w.what());
}

TEST(MbcsTextTest, CopiesNeverSplitADoubleByteCharacter) {
    char buffer[8];
    AEUtil::copyBoundedText(buffer, sizeof buffer, "abcdef\x82\xa0");  // 6 + 2 bytes: the pair does not fit
    EXPECT_STREQ("abcdef", buffer);
    AEUtil::copyBoundedText(buffer, sizeof buffer, "abcde\x82\xa0z");  // the pair ends exactly at 7
    EXPECT_STREQ("abcde\x82\xa0", buffer);
    AEUtil::copyBoundedText(buffer, sizeof buffer, "short");
    EXPECT_STREQ("short", buffer);
    // A trail byte may itself lie in the lead-byte range; it must not start a new pair.
    AEUtil::copyBoundedText(buffer, sizeof buffer, "\x82\x82\x82\x82\x82\x82\x82\x82");
    EXPECT_EQ(6u, std::strlen(buffer));
}

// Each way a command can end: the code the host gets and the message it finds, over a message
// already there. Host codes pass through and leave it alone; a Windows error reaches the host as
// an internal error, not as its own code; bare codes are named on a second line.
TEST_F(CommandGuardTest, EachWayACommandEndsGivesItsCodeAndMessage) {
    struct Case {
        const char* what;
        std::function<PF_Err()> command;
        PF_Err code;
        std::string message;
    };
    const int throwLine = __LINE__ + 3;
    const Case cases[] = {
        {"host code", [] { return PF_Err(PF_Err_INVALID_INDEX); }, PF_Err_INVALID_INDEX, "host text"},
        {"AEException", []() -> PF_Err { AE_THROW(PF_Err_OUT_OF_MEMORY, "alloc_size=%d", 64); }, PF_Err_OUT_OF_MEMORY,
         std::string(__FILE__) + "(" + std::to_string(throwLine) + "): alloc_size=64"},
        {"bad_alloc", []() -> PF_Err { throw std::bad_alloc(); }, PF_Err_INTERNAL_STRUCT_DAMAGED,
         std::bad_alloc().what()},
        {"Win32Exception", []() -> PF_Err { throw AEUtil::Win32Exception(87, "f.cpp", 3, "bad %u", 5u); },
         PF_Err_INTERNAL_STRUCT_DAMAGED, "f.cpp(3): bad 5"},
        {"named code", []() -> PF_Err { throw 516; }, 516, "error code = 516\nPF_Err_BAD_CALLBACK_PARAM"},
        {"unnamed host code", []() -> PF_Err { throw 2; }, 2, "error code = 2\n"},
        {"unknown code", []() -> PF_Err { throw 600; }, 600, "error code = 600\nunknown"},
        {"anything else", []() -> PF_Err { throw 1.5; }, PF_Err_INTERNAL_STRUCT_DAMAGED, kUnknownError},
    };
    for (const Case& c : cases) {
        std::strcpy(out_.return_msg, "host text");
        EXPECT_EQ(c.code, guardCommand(&out_, c.command)) << c.what;
        EXPECT_EQ(c.message, message()) << c.what;
    }
}

TEST_F(CommandGuardTest, LongMessagesFitTheHostBuffer) {
    std::memset(&out_, 0x5A, sizeof out_);
    std::string text(249, 'm');
    text += kJapaneseChar;  // after "(1): " it would need bytes 254 and 255; only 255 bytes fit
    const PF_Err err =
        guardCommand(&out_, [&]() -> PF_Err { throw AEUtil::AEException(PF_Err_OUT_OF_MEMORY, 1, "", "%s", text.c_str()); });
    EXPECT_EQ(PF_Err_OUT_OF_MEMORY, err);
    EXPECT_EQ(std::string("(1): ") + std::string(249, 'm'), message());
    // The field after return_msg is untouched.
    EXPECT_EQ(0x5A5A5A5A, static_cast<unsigned>(out_.out_flags2));
}

}  // namespace
