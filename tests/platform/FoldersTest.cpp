// Folder work around the settings file: creating the chain on save, and deleting the
// file and its emptied parents on restore.
#include "platform/Profile.h"

#include "ScratchFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

using ::testing::ElementsAre;

const std::string kSeparator(1, platform::kPathSeparator);

bool isDirectory(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

std::string withoutFileSpec(std::string path) {
    platform::removeFileSpec(path);
    return path;
}

class FoldersTest : public ::testing::Test {
protected:
    ScratchFolder folder_;
};

TEST_F(FoldersTest, ChainIsCreatedAndItsEmptiedFoldersRemovedOneByOne) {
    folder_.put("keep.txt", "stops the walk here");
    const std::string trelm = folder_.file("TRELM");
    const std::string kavio = trelm + kSeparator + "Kavio";
    const std::string settings = kavio + kSeparator + "Velumixer.ini";

    ASSERT_TRUE(platform::createDirectoryChain(kavio));
    EXPECT_TRUE(isDirectory(kavio));
    EXPECT_TRUE(platform::createDirectoryChain(kavio)) << "an existing folder is no error";
    ASSERT_TRUE(platform::writeProfileString("Version=1.0", "G", "1", settings.c_str()));

    EXPECT_FALSE(platform::removeDirectory(kavio)) << "still holds the settings";
    EXPECT_TRUE(platform::deleteFile(settings));
    EXPECT_FALSE(platform::deleteFile(settings)) << "already gone";

    std::string folder = settings;
    std::vector<std::string> removed;
    platform::removeFileSpec(folder);
    while (platform::removeDirectory(folder)) {
        removed.push_back(folder);
        platform::removeFileSpec(folder);
    }
    EXPECT_THAT(removed, ElementsAre(kavio, trelm));
    EXPECT_EQ(folder, folder_.path());
    EXPECT_TRUE(isDirectory(folder_.path()));
}

TEST_F(FoldersTest, FilesAndFoldersAreNotMistakenForEachOther) {
    folder_.put("file", "x");
    const std::string file = folder_.file("file");

    EXPECT_FALSE(platform::createDirectoryChain(file));
    EXPECT_FALSE(platform::createDirectoryChain(file + kSeparator + "below"));
    EXPECT_FALSE(platform::removeDirectory(file));
    EXPECT_FALSE(platform::deleteFile(folder_.path()));
    EXPECT_FALSE(platform::removeDirectory(folder_.file("missing")));
    EXPECT_EQ(folder_.bytesOf("file"), "x");
    EXPECT_TRUE(isDirectory(folder_.path()));

    EXPECT_FALSE(platform::createDirectoryChain("relative" + kSeparator + "folder"));
    EXPECT_TRUE(platform::createDirectoryChain(folder_.file("trailing") + kSeparator));
    EXPECT_TRUE(isDirectory(folder_.file("trailing")));
}

TEST(RemoveFileSpecTest, StripsTheLastComponent) {
#ifdef _WIN32
    const std::string root = "C:\\";
#else
    const std::string root = "/";
#endif
    const std::string& s = kSeparator;

    EXPECT_EQ(withoutFileSpec(root + "data" + s + "TRELM" + s + "Kavio" + s + "Velumixer.ini"),
              root + "data" + s + "TRELM" + s + "Kavio");
    EXPECT_EQ(withoutFileSpec(root + "data" + s + "TRELM"), root + "data");
    EXPECT_EQ(withoutFileSpec(root + "data"), root);
    EXPECT_EQ(withoutFileSpec(root), root);
    // A trailing separator counts as the last component.
    EXPECT_EQ(withoutFileSpec("a" + s + "b" + s), "a" + s + "b");
    EXPECT_EQ(withoutFileSpec("a" + s + "b"), "a");
    EXPECT_EQ(withoutFileSpec("name"), "");
    EXPECT_EQ(withoutFileSpec(""), "");
}

#ifdef _WIN32

TEST(ApplicationDataFolderTest, IsAnExistingFolderWithoutTrailingSeparator) {
    const std::string folder = platform::applicationDataFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), platform::kPathSeparator);
    EXPECT_TRUE(isDirectory(folder));
}

#else

// Sets or unsets an environment variable for one scope.
class EnvironmentOverride {
public:
    EnvironmentOverride(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value != nullptr) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~EnvironmentOverride() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }
    EnvironmentOverride(const EnvironmentOverride&) = delete;
    EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(ApplicationDataFolderTest, FollowsTheXdgConfigRules) {
    EnvironmentOverride home("HOME", "/home/tester/");
    {
        EnvironmentOverride config("XDG_CONFIG_HOME", "/xdg/config/");
        EXPECT_EQ(platform::applicationDataFolder(), "/xdg/config");
    }
    for (const char* unusable : {static_cast<const char*>(nullptr), "", "relative/config"}) {
        EnvironmentOverride config("XDG_CONFIG_HOME", unusable);
        EXPECT_EQ(platform::applicationDataFolder(), "/home/tester/.config")
            << (unusable ? unusable : "unset");
    }
    EnvironmentOverride noConfig("XDG_CONFIG_HOME", nullptr);
    EnvironmentOverride noHome("HOME", nullptr);
    EXPECT_EQ(platform::applicationDataFolder(), "");
}

#endif

}  // namespace
