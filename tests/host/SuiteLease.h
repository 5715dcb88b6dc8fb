#pragma once
// One suite acquired through a host's basic suite for a test's scope, released at its end.

#include "host/Host.h"

template <class Suite>
class SuiteLease {
public:
    SuiteLease(vmhost::Host& host, const char* name, A_long version) : host_(host), name_(name), version_(version) {
        const void* table = nullptr;
        if (host.basicSuite()->AcquireSuite(name, version, &table) == kSPNoError)
            suite_ = static_cast<const Suite*>(table);
    }
    ~SuiteLease() {
        if (suite_) host_.basicSuite()->ReleaseSuite(name_, version_);
    }
    SuiteLease(const SuiteLease&) = delete;
    SuiteLease& operator=(const SuiteLease&) = delete;

    const Suite* operator->() const { return suite_; }
    const Suite& operator*() const { return *suite_; }
    explicit operator bool() const { return suite_ != nullptr; }

private:
    vmhost::Host& host_;
    const char* name_;
    A_long version_;
    const Suite* suite_ = nullptr;
};
