#pragma once
// A fresh folder per test for input and output files, with the per-user
// defaults store redirected into it so tests never read or write the user's.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

class CliScratch {
public:
    CliScratch() {
        char pattern[] = "/tmp/velumixer-cli-XXXXXX";
        const char* made = mkdtemp(pattern);
        EXPECT_NE(nullptr, made);
        folder_ = made != nullptr ? made : "/tmp";
        std::filesystem::create_directories(folder_ + "/config");
        setenv("XDG_CONFIG_HOME", (folder_ + "/config").c_str(), 1);
    }
    ~CliScratch() {
        unsetenv("XDG_CONFIG_HOME");
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    CliScratch(const CliScratch&) = delete;
    CliScratch& operator=(const CliScratch&) = delete;

    std::string path(const std::string& name) const { return folder_ + "/" + name; }

    // File names in the folder (not the config folder), sorted.
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
            if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::string folder_;
};
