// Suites served through SPBasicSuite, with their held counts.

#include <gtest/gtest.h>

#include <cstring>

#include "host/Host.h"

namespace {

std::string queryLanguage(vmhost::Host& host, SPErr* acquireError) {
    const void* suite = nullptr;
    *acquireError = host.basicSuite()->AcquireSuite(kPFAppSuite, kPFAppSuiteVersion5, &suite);
    if (*acquireError != kSPNoError) {
        EXPECT_EQ(nullptr, suite);
        return {};
    }
    char tag[PF_APP_LANG_TAG_SIZE];
    std::memset(tag, 'x', sizeof tag);
    EXPECT_EQ(PF_Err_NONE, static_cast<const PFAppSuite5*>(suite)->PF_AppGetLanguage(tag));
    EXPECT_EQ(kSPNoError, host.basicSuite()->ReleaseSuite(kPFAppSuite, kPFAppSuiteVersion5));
    return std::string(tag, strnlen(tag, sizeof tag));
}

vmhost::HostConfig withLanguage(std::optional<std::string> tag) {
    vmhost::HostConfig config = vmhost::HostConfig::checking();
    config.appLanguage = std::move(tag);
    return config;
}

TEST(SuiteServing, AppSuiteSevenAnswersTheConfiguredLanguageOrIsAbsent) {
    vmhost::Host english{vmhost::HostConfig::checking()};
    SPErr err = -1;
    EXPECT_EQ("en_US", queryLanguage(english, &err));
    EXPECT_EQ(kSPNoError, err);

    // Longer tags are cut to the five characters the buffer holds.
    english.setAppLanguage(std::string("de_DE_extra"));
    EXPECT_EQ("de_DE", queryLanguage(english, &err));

    vmhost::Host none(withLanguage(std::nullopt));
    queryLanguage(none, &err);
    EXPECT_EQ(kSPSuiteNotFoundError, err);
    EXPECT_EQ(0, none.suites().heldTotal());
}

TEST(SuiteServing, HeldSuitesAreCountedPerNameAndVersion) {
    vmhost::Host host{vmhost::HostConfig::checking()};
    SPBasicSuite* sp = host.basicSuite();
    const void* a = nullptr;
    const void* b = nullptr;
    const void* c = nullptr;
    ASSERT_EQ(kSPNoError, sp->AcquireSuite(kPFHandleSuite, kPFHandleSuiteVersion1, &a));
    ASSERT_EQ(kSPNoError, sp->AcquireSuite(kPFHandleSuite, kPFHandleSuiteVersion1, &b));
    ASSERT_EQ(kSPNoError, sp->AcquireSuite(kPFAppSuite, kPFAppSuiteVersion5, &c));
    EXPECT_EQ(a, b);
    EXPECT_EQ(2, host.suites().held(kPFHandleSuite, kPFHandleSuiteVersion1));
    EXPECT_EQ(1, host.suites().held(kPFAppSuite, kPFAppSuiteVersion5));
    EXPECT_EQ(3, host.suites().heldTotal());

    EXPECT_EQ(kSPNoError, sp->ReleaseSuite(kPFHandleSuite, kPFHandleSuiteVersion1));
    EXPECT_EQ(kSPNoError, sp->ReleaseSuite(kPFAppSuite, kPFAppSuiteVersion5));
    EXPECT_EQ(1, host.suites().heldTotal());
    EXPECT_EQ(kSPNoError, sp->ReleaseSuite(kPFHandleSuite, kPFHandleSuiteVersion1));
    EXPECT_EQ(0, host.suites().heldTotal());

    // A release without an acquisition is an error and is counted.
    EXPECT_EQ(kSPSuiteNotFoundError, sp->ReleaseSuite(kPFHandleSuite, kPFHandleSuiteVersion1));
    EXPECT_EQ(1, host.suites().unmatchedReleases());
    EXPECT_EQ(0, host.suites().heldTotal());
}

TEST(SuiteServing, UnknownSuitesAndInjectedFailuresAreRefused) {
    vmhost::Host host{vmhost::HostConfig::checking()};
    SPBasicSuite* sp = host.basicSuite();
    struct Request {
        const char* name;
        int32_t version;
    };
    const Request unknown[] = {
        {kPFAppSuite, kPFAppSuiteVersion4},   // only the layout with the language query
        {kPFAppSuite, kPFAppSuiteVersion6},
        {kPFHandleSuite, 1},
        {"PF Made Up Suite", 1},
    };
    for (const Request& r : unknown) {
        const void* suite = &r;
        EXPECT_EQ(kSPSuiteNotFoundError, sp->AcquireSuite(r.name, r.version, &suite)) << r.name << " v" << r.version;
        EXPECT_EQ(nullptr, suite);
    }
    EXPECT_EQ(0, host.suites().heldTotal());

    const void* suite = nullptr;
    host.suites().failNthAcquisition(2);
    EXPECT_EQ(kSPNoError, sp->AcquireSuite(kPFHandleSuite, kPFHandleSuiteVersion1, &suite));
    EXPECT_EQ(kSPSuiteNotFoundError, sp->AcquireSuite(kPFHandleSuite, kPFHandleSuiteVersion1, &suite));
    EXPECT_EQ(nullptr, suite);
    EXPECT_EQ(kSPNoError, sp->AcquireSuite(kPFHandleSuite, kPFHandleSuiteVersion1, &suite));

    // Restricted to one name, other suites do not count towards N.
    host.suites().failNthAcquisition(1, std::string(kPFAppSuite));
    EXPECT_EQ(kSPNoError, sp->AcquireSuite(kPFHandleSuite, kPFHandleSuiteVersion1, &suite));
    EXPECT_EQ(kSPSuiteNotFoundError, sp->AcquireSuite(kPFAppSuite, kPFAppSuiteVersion5, &suite));
    EXPECT_EQ(kSPNoError, sp->AcquireSuite(kPFAppSuite, kPFAppSuiteVersion5, &suite));
    EXPECT_EQ(3, host.suites().held(kPFHandleSuite, kPFHandleSuiteVersion1));
    EXPECT_EQ(1, host.suites().held(kPFAppSuite, kPFAppSuiteVersion5));
}

}  // namespace
