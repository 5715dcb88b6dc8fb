#pragma once
// A minimal basic suite for unit tests of suite access: it serves the tables it is given
// and records every acquire and release.

#include "hostapi/HostApi.h"

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

class FakeBasicSuite {
public:
    FakeBasicSuite() {
        current() = this;
        suite_.AcquireSuite = &acquire;
        suite_.ReleaseSuite = &release;
    }
    ~FakeBasicSuite() { current() = nullptr; }

    SPBasicSuite* basic() { return &suite_; }

    void serve(const std::string& name, A_long version, const void* table) { tables_[{name, version}] = table; }

    int held() const {
        int total = 0;
        for (const auto& entry : held_) total += entry.second;
        return total;
    }
    const std::vector<std::pair<std::string, A_long>>& requests() const { return requests_; }

private:
    using Key = std::pair<std::string, A_long>;
    static constexpr SPErr kNoError = 0;
    static constexpr SPErr kSuiteNotFound = 0x53214e46;  // any non-zero code will do

    static FakeBasicSuite*& current() {
        static FakeBasicSuite* instance = nullptr;
        return instance;
    }

    static SPErr acquire(const char* name, std::int32_t version, const void** suite) {
        FakeBasicSuite& self = *current();
        self.requests_.push_back({name, version});
        const Key key{name, version};
        auto found = self.tables_.find(key);
        if (found == self.tables_.end()) return kSuiteNotFound;
        *suite = found->second;
        ++self.held_[key];
        return kNoError;
    }

    static SPErr release(const char* name, std::int32_t version) {
        FakeBasicSuite& self = *current();
        --self.held_[{name, version}];
        return kNoError;
    }

    SPBasicSuite suite_{};
    std::map<Key, const void*> tables_;
    std::map<Key, int> held_;
    std::vector<Key> requests_;
};
