// The effect's parameter set as the registry holds it.
#include "params/BaseParam.h"
#include "params/EffectParams.h"
#include "params/ParamClasses.h"
#include "params/ParamRegistry.h"
#include "render/RenderParams.h"

#include <gtest/gtest.h>

#include <cstddef>
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

TEST_F(ParamRegistryTest, IdsMapToIndicesAndControllersAreResolved) {
    EXPECT_EQ(1, findParamIndex(50));
    EXPECT_EQ(28, findParamIndex(54));
    EXPECT_EQ(10, findParamIndex(102));
    EXPECT_EQ(26, findParamIndex(164));
    EXPECT_EQ(29, findParamIndex(151));
    EXPECT_EQ(0, findParamIndex(56));
    EXPECT_EQ(0, findParamIndex(107));
    EXPECT_EQ(0, findParamIndex(1000));

    for (int key = 0; key < 4; ++key) {
        const int enableIndex = 14 + 3 * key;
        EXPECT_EQ(enableIndex, paramsByIndex[enableIndex + 1]->controllerIndex) << "colour of key " << key + 1;
        EXPECT_EQ(enableIndex, paramsByIndex[enableIndex + 2]->controllerIndex) << "range of key " << key + 1;
        EXPECT_EQ(0, paramsByIndex[enableIndex]->controllerIndex);
    }
}

TEST_F(ParamRegistryTest, ValuesLandInTheirRecordFields) {
    struct Expected {
        int index;
        std::size_t offset;
        int size;
    };
    const Expected expected[] = {
        {1, offsetof(RenderParams, blurType), 4},      {2, offsetof(RenderParams, blurAmount), 8},
        {3, offsetof(RenderParams, repeatCount), 4},   {4, offsetof(RenderParams, blurAspect), 8},
        {5, offsetof(RenderParams, brightness), 8},    {6, 0, 0},
        {7, offsetof(RenderParams, redAmount), 8},     {10, offsetof(RenderParams, autoAlpha), 1},
        {11, offsetof(RenderParams, alphaAmount), 8},  {12, 0, 0},
        {14, 80, 1},                                   {15, 81, 4},
        {16, 88, 8},                                   {23, 80 + 48, 1},
        {25, 80 + 48 + 8, 8},                          {26, offsetof(RenderParams, mode), 4},
        {27, offsetof(RenderParams, invert), 1},       {28, offsetof(RenderParams, keepDivision), 1},
    };
    for (const Expected& e : expected) {
        EXPECT_EQ(static_cast<std::int32_t>(e.offset), paramsByIndex[e.index]->valueOffset) << e.index;
        EXPECT_EQ(e.size, paramsByIndex[e.index]->valueSize) << e.index;
    }
}

TEST_F(ParamRegistryTest, GroupsAndSlidersStartCollapsedExceptRgbBlur) {
    EXPECT_EQ(0, paramsByIndex[6]->def.flags) << "RGB Blur starts open";
    EXPECT_EQ(PF_ParamFlag_START_COLLAPSED, paramsByIndex[13]->def.flags);
    EXPECT_EQ(PF_ParamFlag_START_COLLAPSED, paramsByIndex[2]->def.flags);
    EXPECT_EQ(0, paramsByIndex[12]->def.flags);
    EXPECT_EQ(0, paramsByIndex[29]->def.flags);
}

TEST_F(ParamRegistryTest, RegisteringAgainStartsFromAClearedRegistry) {
    registerParams(nullptr);
    EXPECT_EQ(29, paramObjectCount);
    EXPECT_EQ(30, nextParamIndex);
    EXPECT_EQ(28, findParamIndex(54));
}

}  // namespace
