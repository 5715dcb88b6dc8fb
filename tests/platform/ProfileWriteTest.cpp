// Writing settings: the exact bytes matter, since either build must read what the
// other wrote and a hand-edited file must survive an update.
#include "platform/Profile.h"

#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class ProfileWriteTest : public ::testing::Test {
protected:
    bool write(const char* section, const char* key, const char* value) const {
        return platform::writeProfileString(section, key, value, path_.c_str());
    }

    std::string written() const { return folder_.bytesOf("Velumixer.ini"); }

    ScratchFolder folder_;
    std::string path_ = folder_.file("Velumixer.ini");
};

TEST_F(ProfileWriteTest, NewFileHoldsTheSectionAndKeysInWrittenOrder) {
    EXPECT_TRUE(write("Version=1.0", "Blur Type", "1"));
    EXPECT_TRUE(write("Version=1.0", "1 : Color.r", "0.500000"));
    EXPECT_TRUE(write("Version=1.0", "G", "-7"));

    EXPECT_EQ(written(),
              "[Version=1.0]\r\n"
              "Blur Type=1\r\n"
              "1 : Color.r=0.500000\r\n"
              "G=-7\r\n");

    char text[128];
    EXPECT_EQ(platform::getProfileString("Version=1.0", "1 : Color.r", "", text, sizeof text,
                                         path_.c_str()),
              8u);
    EXPECT_STREQ(text, "0.500000");
    EXPECT_EQ(platform::getProfileInt("Version=1.0", "G", 0, path_.c_str()), 0u - 7u);
}

TEST_F(ProfileWriteTest, ExistingKeyIsRewrittenInPlaceAndOtherLinesStay) {
    folder_.put("Velumixer.ini",
                "; settings\r\n"
                "[A]\r\n"
                "key1=one\r\n"
                "Key2=two\r\n"
                "key2=shadowed\r\n"
                "note without equals\r\n"
                "[B]\r\n"
                "key1=b\r\n");

    EXPECT_TRUE(write("a", "KEY2", "TWO"));
    EXPECT_TRUE(write("A", "key1", "uno"));

    EXPECT_EQ(written(),
              "; settings\r\n"
              "[A]\r\n"
              "key1=uno\r\n"
              "Key2=TWO\r\n"
              "key2=shadowed\r\n"
              "note without equals\r\n"
              "[B]\r\n"
              "key1=b\r\n");
}

TEST_F(ProfileWriteTest, NewKeysEndTheirSectionAndNewSectionsEndTheFile) {
    folder_.put("Velumixer.ini",
                "[A]\r\n"
                "k=1\r\n"
                "[B]\r\n"
                "x=1");  // no final line break

    EXPECT_TRUE(write("A", "n", "2"));
    EXPECT_TRUE(write("C", "c", "3"));
    EXPECT_TRUE(write("A", "m", "4"));
    EXPECT_TRUE(write("B", "y", "5"));

    EXPECT_EQ(written(),
              "[A]\r\n"
              "k=1\r\n"
              "n=2\r\n"
              "m=4\r\n"
              "[B]\r\n"
              "x=1\r\n"
              "y=5\r\n"
              "[C]\r\n"
              "c=3\r\n");
}

TEST_F(ProfileWriteTest, WritingNeedsAnExistingFolder) {
    const std::string inMissingFolder = folder_.file("Missing") + platform::kPathSeparator + "Velumixer.ini";

    EXPECT_FALSE(platform::writeProfileString("Version=1.0", "G", "1", inMissingFolder.c_str()));
    EXPECT_EQ(folder_.bytesOf("Missing"), "<missing>");
}

}  // namespace
