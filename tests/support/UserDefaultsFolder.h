#pragma once
// The per-user INI file of parameter defaults, in a place of the test's own: natively a
// fresh folder named by XDG_CONFIG_HOME, under Wine the prefix's application-data folder
// (the prefix lives in the build tree). Cleared before and after each test.

#include "platform/Profile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#if !defined(_WIN32)
#include <unistd.h>
#endif

class UserDefaultsFolder {
public:
    UserDefaultsFolder() {
#if !defined(_WIN32)
        char pattern[] = "/tmp/velumixer-appdata-XXXXXX";
        const char* made = mkdtemp(pattern);
        EXPECT_NE(nullptr, made);
        if (made != nullptr) {
            scratch_ = made;
            setenv("XDG_CONFIG_HOME", made, 1);
        }
#endif
        appData_ = platform::applicationDataFolder();
        const char sep = platform::kPathSeparator;
        vendorFolder_ = appData_ + sep + "TRELM";
        folder_ = vendorFolder_ + sep + "Kavio";
        iniPath_ = folder_ + sep + "Velumixer.ini";
        clear();
    }
    ~UserDefaultsFolder() {
        clear();
#if !defined(_WIN32)
        if (!scratch_.empty()) platform::removeDirectory(scratch_);
        unsetenv("XDG_CONFIG_HOME");
#endif
    }

    const std::string& appData() const { return appData_; }
    const std::string& folder() const { return folder_; }
    const std::string& vendorFolder() const { return vendorFolder_; }
    const std::string& iniPath() const { return iniPath_; }

    void writeIni(const std::string& text) const {
        platform::createDirectoryChain(folder_);
        std::ofstream(iniPath_, std::ios::binary) << text;
    }
    std::string readIni() const {
        std::ifstream file(iniPath_, std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }
    static bool exists(const std::string& path) { return std::filesystem::exists(path); }

    // The keys of the INI file in file order; empty when the file does not start with the
    // defaults section.
    std::vector<std::string> storedKeys() const {
        const std::string text = readIni();
        std::vector<std::string> keys;
        if (text.rfind("[Version=1.0]\r\n", 0) != 0) return keys;
        for (std::size_t line = text.find("\r\n") + 2; line < text.size();) {
            const std::size_t end = text.find("\r\n", line);
            keys.push_back(text.substr(line, text.find('=', line) - line));
            line = end == std::string::npos ? text.size() : end + 2;
        }
        return keys;
    }

    // Every value-carrying parameter's keys, in the host's parameter order.
    static std::vector<std::string> keysInParameterOrder() {
        std::vector<std::string> keys = {"Blur Type", "Blur Amount", "Blur Repeat Num", "Blur Aspect", "Brightness",
                                         "R",         "G",           "B",               "Auto Alpha",  "A"};
        for (const char* key : {"1", "2", "3", "4"}) {
            const std::string prefix = std::string(key) + " : ";
            for (const char* suffix : {"Enable", "Color.r", "Color.g", "Color.b", "Color.a", "Color Range"}) {
                keys.push_back(prefix + suffix);
            }
        }
        keys.insert(keys.end(), {"Mode", "Invert", "Keep Division"});
        return keys;
    }

private:
    void clear() const {
        platform::deleteFile(iniPath_);
        platform::deleteFile(folder_ + platform::kPathSeparator + "other.txt");
        platform::removeDirectory(folder_);
        platform::removeDirectory(vendorFolder_);
    }

    std::string scratch_;
    std::string appData_;
    std::string vendorFolder_;
    std::string folder_;
    std::string iniPath_;
};
