#pragma once
// A fresh folder per test for input and output files, with the per-user
// defaults store redirected into it so tests never read or write the user's.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
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

    // File names in the folder or one below it (never the config folder), sorted.
    std::vector<std::string> files(const std::string& under = ".") const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path(under))) {
            if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    // The files whose names start with a dot: temporary files of renders.
    std::vector<std::string> hiddenFiles() const {
        std::vector<std::string> names = files();
        names.erase(std::remove_if(names.begin(), names.end(), [](const std::string& name) { return name[0] != '.'; }),
                    names.end());
        return names;
    }

private:
    std::string folder_;
};

// A whole file's bytes ("" when it cannot be read).
inline std::string bytesOf(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}
