// The whole program in-process with the effect module beside the test: a render compared
// with the host API's render of the same frame, sequences, cancelling, and the exit codes
// and messages of what can go wrong.
#include "CliScratch.h"
#include "SmallFileSystem.h"
#include "cli/CommandLine.h"
#include "cli/ImageFile.h"
#include "host/FrameRenderer.h"
#include "host/Host.h"
#include "host/ModulePath.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iterator>
#include <fstream>
#include <sstream>

namespace {

// Hard edges, a key-coloured block, a diagonal, a half-transparent strip and a clear
// corner, in 8-bit steps so that every file format holds it exactly.
vmhost::Image testPicture() {
    vmhost::Image picture(PF_PixelFormat_ARGB32, 40, 30);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const bool key = x >= 6 && x < 22 && y >= 4 && y < 20;
            const bool diagonal = x > y + 12;
            const int red = key ? 3 : diagonal ? 230 : 51;
            const int green = key ? 180 : diagonal ? 204 : 77 + 26 * (x % 4);
            const int blue = key ? 245 : diagonal ? 26 : 102;
            const int alpha = x + y < 5 ? 0 : y >= 26 ? 128 : 255;
            picture.at<PF_Pixel8>(x, y) = {A_u_char(alpha), A_u_char(red), A_u_char(green), A_u_char(blue)};
        }
    }
    return picture;
}

// The line of `text` that starts with `start` ends with `end`.
bool lineEndsWith(const std::string& text, const std::string& start, const std::string& end) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.compare(0, start.size(), start) == 0)
            return line.size() >= end.size() && line.compare(line.size() - end.size(), end.size(), end) == 0;
    }
    return false;
}

class CommandLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        input = scratch.path("in.png");
        vmcli::writeImageFile(testPicture(), input, input);
    }

    int run(const std::vector<std::string>& args, bool cancelled = false) {
        out.str("");
        err.str("");
        vmcli::CancelFlag cancel{cancelled};
        vmcli::Console console{out, err, false};
        return vmcli::runCommandLine(args, console, cancel);
    }

    CliScratch scratch;
    std::string input;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(CommandLineTest, RendersWhatTheHostApiRendersForTheSameFrame) {
    vmhost::Host host{vmhost::HostConfig::checking()};
    host.loadEffect(vmhost::defaultModulePath());
    for (PF_Cmd cmd : {PF_Cmd_GLOBAL_SETUP, PF_Cmd_PARAMS_SETUP, PF_Cmd_SEQUENCE_SETUP})
        ASSERT_EQ(PF_Err_NONE, host.send(cmd)) << cmd;
    host.params().setFloatValue("Blur Amount", 2.0);
    host.params().setValue("1 : Enable", 1);
    host.params().setFloatValue("1 : Color Range", 3.0);
    host.params().setValue("Keep Division", 0);
    host.params().setFloatValue("Brightness", 20.0);
    struct Case {
        const char* output;
        std::vector<std::string> extra;
        PF_PixelFormat format;
        bool keepsColourUnderZeroAlpha;  // OpenEXR stores premultiplied colour
    };
    const Case cases[] = {{"out.png", {}, PF_PixelFormat_ARGB32, true},
                          {"out.exr", {"--depth", "32", "--jobs", "2"}, PF_PixelFormat_ARGB128, false}};
    for (const Case& c : cases) {
        std::vector<std::string> args = {"--set", "Blur Amount=2", "--set", "1 : Enable=on", "--set",
                                         "1 : Color Range=3%", "--set", "Keep Division=off", "--set",
                                         "Brightness=20", input, scratch.path(c.output)};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        ASSERT_EQ(0, run(args)) << err.str();
        const vmhost::Image written = vmcli::readImageFile(scratch.path(c.output)).image;
        // The input file holds 8-bit values, in whatever depth the frame renders.
        const vmhost::Image frame = testPicture().converted(c.format);
        const vmhost::FrameResult expected = vmhost::FrameRenderer(host).render(frame);
        ASSERT_EQ(PF_Err_NONE, expected.err);
        const vmhost::Image& reference = expected.output;
        EXPECT_GT(std::abs(reference.normalized(10, 10).green - frame.normalized(10, 10).green), 0.05f)
            << "the settings must change the picture";

        ASSERT_EQ(reference.width(), written.width());
        ASSERT_EQ(reference.height(), written.height());
        int differing = 0;
        for (A_long y = 0; y < reference.height(); ++y) {
            for (A_long x = 0; x < reference.width(); ++x) {
                const PF_PixelFloat want = reference.normalized(x, y);
                const PF_PixelFloat got = written.normalized(x, y);
                const bool hidden = want.alpha == 0.0f;
                differing += std::abs(want.alpha - got.alpha) > 1e-5f;
                if (hidden && !c.keepsColourUnderZeroAlpha) continue;
                differing += std::abs(want.red - got.red) > 1e-5f;
                differing += std::abs(want.green - got.green) > 1e-5f;
                differing += std::abs(want.blue - got.blue) > 1e-5f;
            }
        }
        EXPECT_EQ(0, differing) << c.output;
    }
    host.send(PF_Cmd_SEQUENCE_SETDOWN);
    host.send(PF_Cmd_GLOBAL_SETDOWN);
}

// Mistakes in the parameters exit with 2, file problems with 1; neither writes an output.
TEST_F(CommandLineTest, EveryProblemGetsOneLineNamingTheFileOrValue) {
    std::filesystem::create_directories(scratch.path("folder.png"));
    std::ofstream(scratch.path("broken.png")) << "not a picture";
    const std::string output = scratch.path("out.png");
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string message;  // in stderr
    };
    const Case cases[] = {
        {{"--set", "Blur Amout=4", input, output}, 2, "no parameter named \"Blur Amout\""},
        {{"--set", "Blur Amount=2000", input, output}, 2, "Blur Amount takes a number from 0 to 1000"},
        {{"--set", "Mode=Fancy", input, output}, 2, "one of Normal, Extract, Disable All (or 1 to 3)"},
        {{scratch.path("missing.png"), output}, 1, "cannot read \"" + scratch.path("missing.png")},
        {{input, scratch.path("nowhere/out.png")}, 1, "no such folder"},
        {{input, scratch.path("out.unknown")}, 1, "no image format"},
        {{scratch.path("broken.png"), output}, 1, "cannot read"},
        {{scratch.path("folder.png"), output}, 1,
         "cannot read \"" + scratch.path("folder.png") + "\": it is a folder, not an image file"},
        {{input, scratch.path("out.null")}, 1, "\"" + scratch.path("out.null") + "\": the \"null\" format writes no"},
        {{input, scratch.path("out.nul")}, 1, "\"" + scratch.path("out.nul") + "\": the \"null\" format writes no"},
        {{input, scratch.path("out.term")}, 1, "\"" + scratch.path("out.term") + "\": the \"term\" format writes no"},
        {{"--max-pixels", "1199", input, output}, 1, "image too large: 40 x 30 pixels"},
        {{"--set", "Blur Amount=\x1b[31m\n", input, output}, 2, "Blur Amount=\\x1B[31m\\x0A\""},
        {{"--set", "Blur Amount=1e-400", input, scratch.path("tiny.png")}, 0, ""},
        {{"--depth", "32", input, scratch.path("deep.png")}, 0,
         "warning: \"" + scratch.path("deep.png") + "\": .png files hold no 32-bit channels; the 32-bit render is "
         "written with 8-bit channels"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.exitCode, run(c.args)) << c.message << "\n" << err.str();
        EXPECT_NE(std::string::npos, err.str().find(c.message)) << err.str();
        EXPECT_EQ("", out.str()) << c.message;
        const std::string text = err.str();
        EXPECT_EQ(text.end(), std::find_if(text.begin(), text.end(), [](char ch) { return ch == '\x1b'; }));
    }
    EXPECT_EQ((std::vector<std::string>{"broken.png", "deep.png", "in.png", "tiny.png"}), scratch.files());

    setenv("XDG_CONFIG_HOME", ("/" + std::string(300, 'c')).c_str(), 1);
    EXPECT_EQ(1, run({"--store-defaults"}));
    EXPECT_NE(std::string::npos, err.str().find("\" is too long: the defaults file's path must stay under 260"))
        << err.str();
}

// Every writer of a format that may fill a disk: the frame fails naming the file, and the
// previous output stays with no temporary file beside it.
TEST_F(CommandLineTest, AFullDiskFailsTheFrameAndKeepsThePreviousOutput) {
    SmallFileSystem disk(scratch.path("disk"), 16 * 1024);
    if (!disk.mounted()) GTEST_SKIP() << disk.failure();
    // Noise in red, which the default settings leave alone: no format packs it into the disk.
    vmhost::Image noise(PF_PixelFormat_ARGB32, 300, 300);
    std::uint32_t state = 12345;
    for (A_long y = 0; y < noise.height(); ++y) {
        for (A_long x = 0; x < noise.width(); ++x) {
            state = state * 1664525u + 1013904223u;
            noise.at<PF_Pixel8>(x, y) = {255, A_u_char(state >> 24), A_u_char(state >> 16), A_u_char(state >> 8)};
        }
    }
    const std::string noiseInput = scratch.path("noise.png");
    vmcli::writeImageFile(noise, noiseInput, noiseInput);
    for (const char* name : {"out.png", "out.bmp", "out.tga", "out.tif", "out.exr"}) {
        std::ofstream(disk.path(name)) << "previous";
        EXPECT_EQ(1, run({noiseInput, disk.path(name)})) << name;
        EXPECT_NE(std::string::npos, err.str().find("cannot write \"" + disk.path(name) + "\": No space left"))
            << err.str();
        EXPECT_EQ(std::string::npos, err.str().find("wrote")) << name;
        EXPECT_EQ("previous", bytesOf(disk.path(name))) << name;
        EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(disk.path(".")), {})) << "no temporary left";
        std::filesystem::remove(disk.path(name));
    }
}

TEST_F(CommandLineTest, StalePartialFilesOfDeadRendersAreRemoved) {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    ASSERT_GT(child, 0);
    waitpid(child, nullptr, 0);  // its PID now names no process
    const std::string dead = std::to_string(child);
    const std::string alive = std::to_string(getppid());
    for (const std::string& name : {".out_1." + dead + ".partial.png", ".out_1.png." + dead + ".partial",
                                    ".out_2." + alive + ".partial.png", ".other." + dead + ".partial.png"})
        std::ofstream(scratch.path(name)) << "left behind";
    EXPECT_EQ(0, run({input, scratch.path("out_%d.png"), "--frames", "1-2"})) << err.str();
    EXPECT_EQ((std::vector<std::string>{".other." + dead + ".partial.png", ".out_2." + alive + ".partial.png"}),
              scratch.hiddenFiles())
        << "only those of this render's outputs whose process is gone";
}

TEST_F(CommandLineTest, SequencesRenderEveryFrameAndCheckInputsFirst) {
    for (int frame = 1; frame <= 3; ++frame) {
        const std::string path = scratch.path("in_000" + std::to_string(frame) + ".png");
        vmcli::writeImageFile(testPicture(), path, path);
    }
    EXPECT_EQ(0, run({scratch.path("in_%04d.png"), scratch.path("out_%02d.png"), "--frames", "1-3", "--jobs", "2",
                      "--downsample", "2"}))
        << err.str();
    const std::vector<std::string> expected = {"in.png",    "in_0001.png", "in_0002.png", "in_0003.png",
                                               "out_01.png", "out_02.png",  "out_03.png"};
    EXPECT_EQ(expected, scratch.files());
    EXPECT_EQ(20, vmcli::readImageFile(scratch.path("out_02.png")).image.width()) << "rendered at half size";
    EXPECT_NE(std::string::npos, err.str().find("wrote " + scratch.path("out_03.png")));
    const std::string progress = err.str();
    EXPECT_EQ(3, std::count(progress.begin(), progress.end(), '\n')) << progress;

    EXPECT_EQ(1, run({scratch.path("in_%04d.png"), scratch.path("new_%02d.png"), "--frames", "2-5"}));
    EXPECT_NE(std::string::npos, err.str().find("2 input frames are missing")) << err.str();
    EXPECT_EQ(expected, scratch.files()) << "no frame renders when inputs are missing";
}

TEST_F(CommandLineTest, ACancelledRunLeavesNoFiles) {
    EXPECT_EQ(130, run({input, scratch.path("out_%d.png"), "--frames", "1-4"}, true));
    EXPECT_NE(std::string::npos, err.str().find("cancelled; 0 of 4 frame(s) written")) << err.str();
    EXPECT_EQ((std::vector<std::string>{"in.png"}), scratch.files());
}

TEST_F(CommandLineTest, RenderErrorsShowTheEffectsCodeAndMessage) {
    const std::string failing = vmhost::pathBesideExecutable(FAILING_MODULE_FILE);
    for (const char* command : {"--jobs=1", "--legacy-render"}) {
        EXPECT_EQ(1, run({"--plugin", failing, command, input, scratch.path("out.png")}));
        EXPECT_NE(std::string::npos, err.str().find("the effect failed with PF_Err_OUT_OF_MEMORY (4): 不明なエラー"))
            << err.str();
    }
    EXPECT_EQ((std::vector<std::string>{"in.png"}), scratch.files());
    EXPECT_EQ(1, run({"--plugin", failing, "--store-defaults"}));
    EXPECT_NE(std::string::npos, err.str().find("not Velumixer's")) << err.str();
    EXPECT_EQ(1, run({"--plugin", scratch.path("none.so"), input, scratch.path("out.png")}));
    EXPECT_NE(std::string::npos, err.str().find("cannot load the effect module")) << err.str();
}

TEST_F(CommandLineTest, UnusableDefaultsStoresAreReportedAndRendersUseTheBuiltInValues) {
    const std::string config = scratch.path("config");
    const std::string ini = config + "/TRELM/Kavio/Velumixer.ini";
    EXPECT_EQ(0, run({"--restore-defaults"})) << err.str();
    EXPECT_EQ("no stored defaults to remove (" + ini + " does not exist)\n", out.str());
    EXPECT_FALSE(std::filesystem::exists(config + "/TRELM")) << "no folders made";

    std::filesystem::create_directories(ini);
    EXPECT_EQ(0, run({input, scratch.path("out.png")})) << err.str();
    EXPECT_EQ(1, run({"--store-defaults", "--set", "G=7.5"}));
    EXPECT_EQ("", out.str());
    EXPECT_NE(std::string::npos, err.str().find("cannot store the defaults in \"" + ini + "\": it is a folder"))
        << err.str();
    EXPECT_EQ(1, run({"--restore-defaults"}));
    EXPECT_EQ("", out.str());
    EXPECT_NE(std::string::npos, err.str().find("it is a folder")) << err.str();
    std::filesystem::remove_all(config + "/TRELM");

    SmallFileSystem readOnly(config + "/TRELM", 64 * 1024);
    if (!readOnly.mounted()) GTEST_SKIP() << readOnly.failure();
    ASSERT_EQ(0, run({"--store-defaults", "--set", "G=7.5"})) << err.str();
    ASSERT_TRUE(readOnly.remountReadOnly());
    EXPECT_EQ(1, run({"--store-defaults", "--set", "G=2"}));
    EXPECT_EQ("", out.str()) << "no half success line";
    EXPECT_NE(std::string::npos, err.str().find("cannot store the defaults in \"" + ini + "\"")) << err.str();
    ASSERT_EQ(0, run({"--list-params"}));
    EXPECT_TRUE(lineEndsWith(out.str(), "\"G\" ", " 7.5")) << out.str();
}

TEST_F(CommandLineTest, DefaultsAreStoredForNewInstancesAndRestored) {
    EXPECT_EQ(0, run({"--store-defaults", "--set", "G=7.5", "--set", "Mode=Extract"})) << err.str();
    EXPECT_NE(std::string::npos, out.str().find("Velumixer.ini"));
    ASSERT_EQ(0, run({"--list-params"}));
    EXPECT_TRUE(lineEndsWith(out.str(), "\"G\" ", " 7.5")) << out.str();
    EXPECT_TRUE(lineEndsWith(out.str(), "\"Mode\" ", " Extract")) << out.str();

    EXPECT_EQ(0, run({"--restore-defaults"})) << err.str();
    ASSERT_EQ(0, run({"--list-params"}));
    EXPECT_TRUE(lineEndsWith(out.str(), "\"G\" ", " 5.0")) << out.str();
    EXPECT_TRUE(lineEndsWith(out.str(), "\"Mode\" ", " Normal")) << out.str();

    ASSERT_EQ(0, run({"--about", "--language", "ja"}));
    EXPECT_EQ(0u, out.str().find("Velumixer ")) << out.str();
}

}  // namespace
