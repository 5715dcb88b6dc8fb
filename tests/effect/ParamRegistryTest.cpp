// The registry of the effect's parameters. Their ids, names and order are held where the host
// receives them (UserDefaultsTest.NewInstanceWithoutAFileShowsTheBuiltInDefaults).
#include "params/BaseParam.h"
#include "params/EffectParams.h"
#include "params/ParamRegistry.h"

#include <gtest/gtest.h>

namespace {

class ParamRegistryTest : public ::testing::Test {
protected:
    void SetUp() override { registerParams(nullptr); }
};

TEST_F(ParamRegistryTest, RegisteringAgainStartsFromAClearedRegistry) {
    registerParams(nullptr);
    EXPECT_EQ(29, paramObjectCount);
    EXPECT_EQ(30, nextParamIndex);
    EXPECT_EQ(28, findParamIndex(54));
}

}  // namespace
