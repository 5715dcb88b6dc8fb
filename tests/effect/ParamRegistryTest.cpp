// The effect's parameter set as the registry holds it.
#include "params/BaseParam.h"
#include "params/EffectParams.h"
#include "params/ParamClasses.h"
#include "params/ParamRegistry.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class ParamRegistryTest : public ::testing::Test {
protected:
    void SetUp() override { registerParams(nullptr); }
};

TEST_F(ParamRegistryTest, SetHasTwentyNineObjectsInHostOrder) {
    EXPECT_EQ(29, paramObjectCount);
    EXPECT_EQ(30, numParams);
    EXPECT_EQ(30, nextParamIndex);

    struct Expected {
        int index;
        int id;
        const char* name;
    };
    const Expected expected[] = {
        {1, 50, "Blur Type"},         {2, 51, "Blur Amount"},     {3, 52, "Blur Repeat Num"},
        {4, 53, "Blur Aspect"},       {5, 55, "Brightness"},      {6, 100, "RGB Blur"},
        {7, 103, "R"},                {8, 104, "G"},              {9, 105, "B"},
        {10, 102, "Auto Alpha"},      {11, 106, "A"},             {12, 101, ""},
        {13, 150, "Key Colors"},      {14, 152, "1 : Enable"},    {15, 153, "1 : Color"},
        {16, 154, "1 : Color Range"}, {17, 155, "2 : Enable"},    {20, 158, "3 : Enable"},
        {25, 163, "4 : Color Range"}, {26, 164, "Mode"},          {27, 165, "Invert"},
        {28, 54, "Keep Division"},    {29, 151, ""},
    };
    for (const Expected& e : expected) {
        const BaseParam* param = paramsByIndex[e.index];
        ASSERT_NE(nullptr, param) << e.index;
        EXPECT_EQ(e.index, param->index);
        EXPECT_EQ(e.id, param->id) << e.index;
        EXPECT_EQ(std::string(e.name), param->name) << e.index;
    }
    EXPECT_EQ(nullptr, paramsByIndex[0]);
    EXPECT_EQ(nullptr, paramsByIndex[30]);
}

TEST_F(ParamRegistryTest, RegisteringAgainStartsFromAClearedRegistry) {
    registerParams(nullptr);
    EXPECT_EQ(29, paramObjectCount);
    EXPECT_EQ(30, nextParamIndex);
    EXPECT_EQ(28, findParamIndex(54));
}

}  // namespace
