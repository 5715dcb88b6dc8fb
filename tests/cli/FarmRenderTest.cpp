// The farm options through the whole program with the effect: chunks render their share,
// a retry with --skip-existing renders only what is missing and matches a one-shot render
// byte for byte, settings files carry a look, and a bad frame does not stop the others.
#include "CliScratch.h"
#include "cli/CommandLine.h"
#include "cli/ImageFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

// A small frame that differs from frame to frame, with edges for the blur to soften.
vmhost::Image framePicture(int frame) {
    vmhost::Image picture(PF_PixelFormat_ARGB32, 24, 16);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const bool block = x > frame % 12 && x < frame % 12 + 8 && y > 3 && y < 12;
            picture.at<PF_Pixel8>(x, y) = {255, A_u_char(block ? 3 : 200), A_u_char(block ? 180 : 10 * frame),
                                           A_u_char(block ? 245 : 40)};
        }
    }
    return picture;
}

class FarmRenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int frame = 1; frame <= 6; ++frame) {
            const std::string path = scratch.path("in_" + std::to_string(frame) + ".png");
            vmcli::writeImageFile(framePicture(frame), path, path);
        }
        std::filesystem::create_directories(scratch.path("once"));
        std::filesystem::create_directories(scratch.path("farm"));
    }

    int run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        vmcli::CancelFlag cancel{false};
        vmcli::Console console{out, err, false};
        return vmcli::runCommandLine(args, console, cancel);
    }

    // Renders frames 1-6 (or a share of them) into `folder` with a look that changes every pixel.
    int renderInto(const std::string& folder, std::vector<std::string> extra) {
        std::vector<std::string> args = {scratch.path("in_%d.png"), scratch.path(folder + "/out_%02d.png"),
                                         "--frames", "1-6", "--set", "Blur Amount=3", "--set", "Brightness=10"};
        args.insert(args.end(), extra.begin(), extra.end());
        return run(args);
    }

    void expectSameAsOneShot(const std::string& folder) {
        EXPECT_EQ(scratch.files("once"), scratch.files(folder));
        for (const std::string& name : scratch.files("once"))
            EXPECT_EQ(bytesOf(scratch.path("once/" + name)), bytesOf(scratch.path(folder + "/" + name))) << name;
    }

    CliScratch scratch;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(FarmRenderTest, ChunksTogetherRenderTheShotOnce) {
    ASSERT_EQ(0, renderInto("once", {})) << err.str();
    for (const char* chunk : {"1/4", "2/4", "3/4", "4/4"}) {
        ASSERT_EQ(0, renderInto("farm", {"--chunk", chunk})) << err.str();
        const std::string log = err.str();
        EXPECT_EQ(std::string(chunk) == "1/4" || std::string(chunk) == "2/4" ? 2 : 1,
                  std::count(log.begin(), log.end(), '\n'))
            << "6 frames in chunks of 2, 2, 1, 1 frames: " << log;
    }
    expectSameAsOneShot("farm");

    EXPECT_EQ(0, renderInto("farm", {"--chunk", "7/9"})) << err.str();
    EXPECT_NE(std::string::npos, err.str().find("chunk 7/9 of 6 frame(s) is empty; nothing to render")) << err.str();
}

TEST_F(FarmRenderTest, ARetryRendersOnlyWhatIsMissing) {
    ASSERT_EQ(0, renderInto("once", {})) << err.str();
    // What a killed run leaves: some frames done, one cut short, one still under its temporary name.
    ASSERT_EQ(0, renderInto("farm", {"--chunk", "1/2"})) << err.str();
    const std::string cut = scratch.path("farm/out_02.png");
    std::filesystem::resize_file(cut, std::filesystem::file_size(cut) / 2);
    const std::string partial = scratch.path("farm/.out_04.png.99.partial");
    std::filesystem::copy_file(scratch.path("once/out_04.png"), partial);
    const auto untouched = std::filesystem::last_write_time(scratch.path("farm/out_01.png"));

    ASSERT_EQ(0, renderInto("farm", {"--skip-existing", "--progress", "lines"})) << err.str();
    EXPECT_NE(std::string::npos, err.str().find("skipping 2 of 6 frame(s) whose output is complete")) << err.str();
    for (int frame : {1, 3}) EXPECT_EQ(std::string::npos, err.str().find("frame " + std::to_string(frame) + " wrote"));
    for (int frame : {2, 4, 5, 6})
        EXPECT_NE(std::string::npos, err.str().find("frame " + std::to_string(frame) + " wrote"));
    EXPECT_EQ(untouched, std::filesystem::last_write_time(scratch.path("farm/out_01.png")));
    std::filesystem::remove(partial);  // a killed process's, never looked at
    expectSameAsOneShot("farm");

    ASSERT_EQ(0, renderInto("farm", {"--skip-existing"})) << err.str();
    EXPECT_NE(std::string::npos, err.str().find("skipping 6 of 6")) << err.str();
}

TEST_F(FarmRenderTest, ABrokenInputFailsItsFrameAndTheOthersFinish) {
    std::ofstream(scratch.path("in_3.png"), std::ios::trunc) << "not a picture";
    EXPECT_EQ(1, renderInto("farm", {"--jobs", "2"}));
    EXPECT_NE(std::string::npos, err.str().find("cannot read \"" + scratch.path("in_3.png") + "\"")) << err.str();
    EXPECT_NE(std::string::npos, err.str().find("5 of 6 frame(s) written, 1 failed")) << err.str();
    EXPECT_EQ((std::vector<std::string>{"out_01.png", "out_02.png", "out_04.png", "out_05.png", "out_06.png"}),
              scratch.files("farm"));
}

TEST_F(FarmRenderTest, SettingsFilesCarryTheLook) {
    ASSERT_EQ(0, renderInto("once", {"--set", "Mode=Extract", "--set", "1 : Enable=on", "--set",
                                     "1 : Color=#03B4F5"}))
        << err.str();
    ASSERT_EQ(0, run({"--set", "Blur Amount=3", "--set", "Brightness=10", "--set", "Mode=Extract", "--set",
                      "1 : Enable=on", "--set", "1 : Color=#03B4F5", "--save-settings", scratch.path("look.txt")}))
        << err.str();
    EXPECT_EQ((std::vector<std::string>{}), scratch.files("farm")) << "nothing rendered without INPUT and OUTPUT";
    const std::string look = bytesOf(scratch.path("look.txt"));
    for (const char* line : {"\nBlur Amount=3\n", "\nBrightness=10\n", "\nMode=Extract\n", "\n1 : Color=#03B4F5\n",
                             "\n1 : Enable=on\n", "\nKeep Division=on\n"})
        EXPECT_NE(std::string::npos, look.find(line)) << line << " in\n" << look;

    // Read back it gives the same render and, saved again, the same file.
    std::vector<std::string> fromFile = {scratch.path("in_%d.png"), scratch.path("farm/out_%02d.png"), "--frames",
                                         "1-6", "--settings", scratch.path("look.txt"), "--save-settings",
                                         scratch.path("again.txt")};
    ASSERT_EQ(0, run(fromFile)) << err.str();
    expectSameAsOneShot("farm");
    EXPECT_EQ(look, bytesOf(scratch.path("again.txt")));

    // A --set after the file wins.
    ASSERT_EQ(0, run({"--settings", scratch.path("look.txt"), "--set", "Mode=Normal", "--save-settings",
                      scratch.path("normal.txt")}));
    EXPECT_NE(std::string::npos, bytesOf(scratch.path("normal.txt")).find("\nMode=Normal\n"));
}

TEST_F(FarmRenderTest, ABadSettingsLineExitsWithTwoNamingItAndWritesNothing) {
    std::ofstream(scratch.path("look.txt")) << "# shot 12\nBlur Amount=2000\n";
    EXPECT_EQ(2, renderInto("farm", {"--settings", scratch.path("look.txt"), "--save-settings",
                                     scratch.path("saved.txt")}));
    EXPECT_NE(std::string::npos, err.str().find(scratch.path("look.txt") + " line 2: ")) << err.str();
    EXPECT_NE(std::string::npos, err.str().find("Blur Amount takes a number from 0 to 1000")) << err.str();
    std::ofstream(scratch.path("look.txt"), std::ios::trunc) << "Blurr=2\n";
    EXPECT_EQ(2, renderInto("farm", {"--settings", scratch.path("look.txt")}));
    EXPECT_NE(std::string::npos, err.str().find(scratch.path("look.txt") + " line 1: ")) << err.str();
    EXPECT_EQ((std::vector<std::string>{}), scratch.files("farm"));
    EXPECT_FALSE(std::filesystem::exists(scratch.path("saved.txt")));
}

}  // namespace
