#pragma once
// A fresh folder under the system's temporary folder for one test, removed with
// everything in it afterwards. Built with std::filesystem, not with the code under
// test. Under Wine the temporary folder lies inside the build tree's prefix.

#include "platform/Profile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

class ScratchFolder {
public:
    ScratchFolder() {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        // Named after the test and the process, so parallel runs never share one.
        std::string name = "velumixer-platform-";
        if (test != nullptr) name += std::string(test->test_suite_name()) + "." + test->name() + "-";
        name += std::to_string(processId());
        path_ = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }

    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }

    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string path() const { return path_.string(); }

    std::string file(const std::string& name) const {
        return path() + platform::kPathSeparator + name;
    }

    void put(const std::string& name, const std::string& bytes) const {
        std::ofstream(file(name), std::ios::binary) << bytes;
    }

    // The file's bytes, or "<missing>".
    std::string bytesOf(const std::string& name) const {
        std::ifstream in(file(name), std::ios::binary);
        if (!in) return "<missing>";
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    static long processId() {
#ifdef _WIN32
        return _getpid();
#else
        return static_cast<long>(getpid());
#endif
    }

    std::filesystem::path path_;
};
