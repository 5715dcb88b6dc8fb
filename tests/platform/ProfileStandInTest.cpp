// The settings-file stand-in shared by processes: writers at the same time lose no key,
// readers meanwhile always see a whole file, and a folder under the file's name reads as
// no store instead of failing. Windows' own profile functions are not under test here.
#include "platform/Profile.h"

#include "ScratchFolder.h"

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr const char kSection[] = "Version=1.0";

class ProfileStandInTest : public ::testing::Test {
protected:
    // Runs `work` in `count` child processes at once; true when every one succeeded.
    static bool inProcesses(int count, const std::function<bool(int)>& work) {
        std::vector<pid_t> children;
        for (int i = 0; i < count; ++i) {
            const pid_t child = fork();
            if (child == 0) _exit(work(i) ? 0 : 1);
            children.push_back(child);
        }
        bool succeeded = true;
        for (pid_t child : children) {
            int status = 0;
            waitpid(child, &status, 0);
            succeeded = succeeded && WIFEXITED(status) && WEXITSTATUS(status) == 0;
        }
        return succeeded;
    }

    bool write(const std::string& key, const std::string& value) const {
        return platform::writeProfileString(kSection, key.c_str(), value.c_str(), path_.c_str());
    }

    int read(const std::string& key, int fallback) const {
        return static_cast<int>(platform::getProfileInt(kSection, key.c_str(), fallback, path_.c_str()));
    }

    ScratchFolder folder_;
    std::string path_ = folder_.file("Velumixer.ini");
};

TEST_F(ProfileStandInTest, WritersAtTheSameTimeLoseNoKey) {
    constexpr int kWriters = 3;
    constexpr int kKeys = 40;
    ASSERT_TRUE(inProcesses(kWriters, [this](int writer) {
        bool written = true;
        for (int key = 0; key < kKeys; ++key)
            written = write("w" + std::to_string(writer) + "." + std::to_string(key), std::to_string(key)) && written;
        return written;
    }));
    int missing = 0;
    for (int writer = 0; writer < kWriters; ++writer)
        for (int key = 0; key < kKeys; ++key)
            missing += read("w" + std::to_string(writer) + "." + std::to_string(key), -1) != key;
    EXPECT_EQ(0, missing);
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_.path()))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(std::vector<std::string>{"Velumixer.ini"}, names) << "no lock or temporary file is left";
}

TEST_F(ProfileStandInTest, ReadersNeverSeeAPartFile) {
    ASSERT_TRUE(write("first", "1"));
    for (int key = 0; key < 30; ++key) ASSERT_TRUE(write("k" + std::to_string(key), "0"));
    const pid_t writer = fork();
    if (writer == 0) {
        for (int round = 1; round <= 100; ++round)
            for (int key = 0; key < 30; key += 7) write("k" + std::to_string(key), std::to_string(round));
        _exit(0);
    }
    int fallbacks = 0;
    int status = 0;
    while (waitpid(writer, &status, WNOHANG) == 0) fallbacks += read("first", -1) != 1;
    EXPECT_EQ(0, fallbacks) << "reads that found no complete file";
}

TEST_F(ProfileStandInTest, AFolderUnderTheFilesNameIsNoStore) {
    std::filesystem::create_directories(path_);
    EXPECT_EQ(42, read("G", 42));
    char text[16] = "x";
    EXPECT_EQ(3u, platform::getProfileString(kSection, "G", "abc", text, sizeof text, path_.c_str()));
    EXPECT_STREQ("abc", text);
    EXPECT_FALSE(write("G", "1"));
    EXPECT_TRUE(std::filesystem::is_directory(path_));
}

}  // namespace
