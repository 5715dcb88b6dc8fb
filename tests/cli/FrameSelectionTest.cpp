// Frame-number patterns, frame lists and the plan that pairs input and output files.
#include "cli/CliErrors.h"
#include "cli/FrameList.h"
#include "cli/FramePattern.h"
#include "cli/RenderPlan.h"

#include <gtest/gtest.h>

namespace {

using vmcli::FramePattern;
using vmcli::parseFrameList;
using vmcli::UsageError;

TEST(FramePatternTest, FieldsArePaddedWithZeros) {
    EXPECT_EQ("shot_0007.png", FramePattern("shot_%04d.png").pathFor(7));
    EXPECT_EQ("shot_12345.png", FramePattern("shot_%04d.png").pathFor(12345)) << "never cut";
    EXPECT_EQ("7/shot.png", FramePattern("%d/shot.png").pathFor(7));
    EXPECT_TRUE(FramePattern("a%d.exr").hasFrameField());
}

TEST(FramePatternTest, PercentSignsThatAreNotFieldsStay) {
    const FramePattern still("50%_off%%.png");
    EXPECT_FALSE(still.hasFrameField());
    EXPECT_EQ("50%_off%.png", still.pathFor(3));
    EXPECT_EQ("100%_02.png", FramePattern("100%%_%02d.png").pathFor(2));
    EXPECT_THROW(FramePattern("a%d_%d.png"), UsageError);
    EXPECT_THROW(FramePattern("a%4d.png"), UsageError) << "space padding makes poor file names";
}

TEST(FrameListTest, RangesStepsAndListsInTheOrderGiven) {
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4}), parseFrameList("1-4"));
    EXPECT_EQ((std::vector<int>{1, 3, 5}), parseFrameList("1-6x2"));
    EXPECT_EQ((std::vector<int>{7, 9, 12}), parseFrameList("7,9,12"));
    EXPECT_EQ((std::vector<int>{10, 0, 1, 2}), parseFrameList("10,0-2,1")) << "each frame once";
    EXPECT_EQ((std::vector<int>{5}), parseFrameList("5-5"));
    for (const char* bad : {"", "1-", "-3", "a-4", "1-4x0", "1-4x", "4-1", "1,,2", "+3", "1-2000000"})
        EXPECT_THROW(parseFrameList(bad), UsageError) << bad;
}

TEST(RenderPlanTest, PairsEveryFrameWithItsFiles) {
    vmcli::Options options;
    options.input = "in_%03d.png";
    options.output = "out/%04d.exr";
    options.frames = std::vector<int>{9, 10};
    const auto tasks = vmcli::planFrames(options);
    ASSERT_EQ(2u, tasks.size());
    EXPECT_EQ(10, tasks[1].frame);
    EXPECT_EQ("in_010.png", tasks[1].inputPath);
    EXPECT_EQ("out/0010.exr", tasks[1].outputPath);

    options.input = "still.png";  // the same picture for every frame
    EXPECT_EQ("still.png", vmcli::planFrames(options)[1].inputPath);

    options.output = "one.png";
    EXPECT_THROW(vmcli::planFrames(options), UsageError) << "every frame would land in one file";
    options.frames = std::vector<int>{4};
    EXPECT_EQ("one.png", vmcli::planFrames(options)[0].outputPath);

    options.frames.reset();
    options.input = "in_%03d.png";
    EXPECT_THROW(vmcli::planFrames(options), UsageError) << "a pattern needs --frames";
    options.input = "in.png";
    const auto still = vmcli::planFrames(options);
    ASSERT_EQ(1u, still.size());
    EXPECT_EQ(0, still[0].frame);
}

}  // namespace
