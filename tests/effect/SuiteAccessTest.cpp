// Suites held for a call or a scope, and the version numbers of the host's API versions.
#include "AEUtil/HostVersion.h"
#include "AEUtil/SuiteHolder.h"
#include "AEUtil/SuiteScope.h"
#include "FakeBasicSuite.h"

#include <gtest/gtest.h>

namespace {

PF_HandleSuite1 handleTable{};
PFAppSuite5 appTable{};

TEST(SuiteScopeTest, RefusesAMissingBasicSuite) {
    try {
        AEUtil::SuiteScope scope(nullptr);
        FAIL() << "no exception";
    } catch (int code) {
        EXPECT_EQ(PF_Err_BAD_CALLBACK_PARAM, code);
    }
}

TEST(SuiteScopeTest, AcquiresEachSuiteOnceAndReleasesAllAtTheEnd) {
    FakeBasicSuite host;
    host.serve(kPFHandleSuite, 2, &handleTable);
    host.serve(kPFAppSuite, 7, &appTable);
    {
        AEUtil::SuiteScope scope(host.basic());
        EXPECT_EQ(&handleTable, scope.acquire<PF_HandleSuite1>(kPFHandleSuite, 2));
        EXPECT_EQ(&handleTable, scope.acquire<PF_HandleSuite1>(kPFHandleSuite, 2));
        EXPECT_EQ(&appTable, scope.acquire<PFAppSuite5>(kPFAppSuite, 7));
        EXPECT_EQ(2, host.held());
    }
    EXPECT_EQ(0, host.held());
    EXPECT_EQ(2u, host.requests().size());
}

TEST(SuiteScopeTest, UnavailableSuitesThrowTheBareCodeAndLeakNothing) {
    FakeBasicSuite host;
    host.serve(kPFHandleSuite, 2, &handleTable);
    {
        AEUtil::SuiteScope scope(host.basic());
        scope.acquire<PF_HandleSuite1>(kPFHandleSuite, 2);
        for (auto attempt : {std::make_pair(kPFWorldSuite, 1),    // not served
                             std::make_pair("Some Suite", 1)}) {  // no slot for it
            try {
                scope.acquire<void>(attempt.first, attempt.second);
                ADD_FAILURE() << attempt.first;
            } catch (int code) {
                EXPECT_EQ(PF_Err_BAD_CALLBACK_PARAM, code) << attempt.first;
            }
        }
        EXPECT_EQ(1, host.held());
    }
    EXPECT_EQ(0, host.held());
}

TEST(SuiteHolderTest, ReleasesWhatItGotAndReportsWhatItDidNot) {
    FakeBasicSuite host;
    host.serve(kPFAppSuite, 7, &appTable);
    {
        AEUtil::SuiteHolder app(host.basic(), kPFAppSuite, 7);
        AEUtil::SuiteHolder missing(host.basic(), kPFWorldSuite, 2);
        EXPECT_EQ(&appTable, app.as<PFAppSuite5>());
        EXPECT_EQ(nullptr, missing.suite());
        EXPECT_EQ(1, host.held());
    }
    EXPECT_EQ(0, host.held());
}

TEST(HostVersionTest, MapsApiVersionsToVersionNumbers) {
    struct Case {
        A_short major, minor;
        int expected;
    };
    const Case cases[] = {{11, 20, 0},  {12, 10, 0},  {12, 11, 65},  {12, 12, 70},   {12, 13, 80}, {12, 14, 90},
                          {12, 15, 9999}, {13, 0, 100}, {13, 1, 105}, {13, 2, 110}, {13, 3, 9999}, {13, 27, 9999},
                          {14, 0, 9999}};
    for (const Case& c : cases) {
        PF_InData in_data{};
        in_data.version.major = c.major;
        in_data.version.minor = c.minor;
        EXPECT_EQ(c.expected, AEUtil::hostVersionNumber(&in_data)) << c.major << "." << c.minor;
    }
}

}  // namespace
