// What a farm task's options do without the effect: chunks of frame lists, settings files
// read line by line, and which outputs count as complete.
#include "CliScratch.h"
#include "cli/CliErrors.h"
#include "cli/CompleteOutputs.h"
#include "cli/FrameChunks.h"
#include "cli/FrameList.h"
#include "cli/ImageFile.h"
#include "cli/SettingsFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

using vmcli::FrameChunk;
using vmcli::UsageError;

std::vector<int> numbers(int count) {
    std::vector<int> list;
    for (int i = 0; i < count; ++i) list.push_back(100 + i);
    return list;
}

// Every split of a list: the chunks in order give the list back, each frame once, and
// no chunk is more than one frame longer than another.
void expectChunksCover(const std::vector<int>& frames, int chunkCount) {
    std::vector<int> joined;
    std::size_t shortest = frames.size(), longest = 0;
    for (int k = 1; k <= chunkCount; ++k) {
        const std::vector<int> chunk = vmcli::chunkOf(frames, FrameChunk{k, chunkCount});
        joined.insert(joined.end(), chunk.begin(), chunk.end());
        shortest = std::min(shortest, chunk.size());
        longest = std::max(longest, chunk.size());
    }
    EXPECT_EQ(frames, joined) << frames.size() << " frames in " << chunkCount << " chunks";
    EXPECT_LE(longest - shortest, 1u) << frames.size() << " frames in " << chunkCount << " chunks";
}

TEST(FrameChunkTest, EverySplitOfSmallListsCoversEachFrameOnce) {
    for (int size = 0; size <= 13; ++size) {
        for (int chunks = 1; chunks <= 16; ++chunks) expectChunksCover(numbers(size), chunks);
    }
    for (const char* list : {"1-24", "1-24x5", "1-5,9,12-14", "10,3,7", "0-1000x7"}) {
        for (int chunks = 1; chunks <= 9; ++chunks) expectChunksCover(vmcli::parseFrameList(list), chunks);
    }
}

TEST(SettingsFileTest, LinesAreSettingsCommentsAndBlanksAreSkipped) {
    const auto settings = vmcli::parseSettingsText(
        "# the look of shot 12\n\nBlur Amount=4\r\n  # indented comment\n1 : Color=#03B4F5\nMode=\n", "look.txt");
    ASSERT_EQ(3u, settings.size());
    EXPECT_EQ("Blur Amount", settings[0].name);
    EXPECT_EQ("4", settings[0].value) << "Windows line ends are not part of the value";
    EXPECT_EQ("look.txt line 3", settings[0].origin);
    EXPECT_EQ("#03B4F5", settings[1].value) << "a # after the name is a colour, not a comment";
    EXPECT_EQ("look.txt line 5", settings[1].origin);
    EXPECT_EQ("", settings[2].value) << "left to the parameter to refuse";
}

TEST(SettingsFileTest, ABadLineOrAFolderIsNamed) {
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {{"G=2\n\nBlur Amount 4\n", "look.txt line 3 \"Blur Amount 4\" is not NAME=VALUE"},
                          {"=4\n", "look.txt line 1 \"=4\" is not NAME=VALUE"}};
    for (const Case& c : cases) {
        try {
            vmcli::parseSettingsText(c.text, "look.txt");
            ADD_FAILURE() << c.text;
        } catch (const UsageError& e) {
            EXPECT_NE(std::string::npos, std::string(e.what()).find(c.expected)) << e.what();
        }
    }
    CliScratch scratch;
    EXPECT_THROW(vmcli::readSettingsFile(scratch.path("")), UsageError) << "a folder";
}

TEST(CompleteOutputsTest, OnlyWholeImagesUnderTheirFinalNamesCount) {
    CliScratch scratch;
    vmhost::Image picture(PF_PixelFormat_ARGB32, 64, 64);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x)
            picture.at<PF_Pixel8>(x, y) = {255, A_u_char(x * 4), A_u_char(y * 4), A_u_char((x * y) & 255)};
    }
    for (const char* name : {"whole.png", "cut.png", "whole.exr", "cut.exr", "whole.tif", "cut.tif"}) {
        const std::string path = scratch.path(name);
        vmcli::writeImageFile(picture, path, path);
    }
    for (const char* name : {"cut.png", "cut.exr", "cut.tif"}) {
        const std::string path = scratch.path(name);
        std::filesystem::resize_file(path, std::filesystem::file_size(path) * 2 / 3);
    }
    std::ofstream(scratch.path("text.png")) << "not a picture";
    std::filesystem::copy_file(scratch.path("whole.png"), scratch.path(".missing.png.123.partial"));

    const std::vector<vmcli::FrameTask> tasks = {
        {1, "in", scratch.path("whole.png")}, {2, "in", scratch.path("cut.png")},
        {3, "in", scratch.path("whole.exr")}, {4, "in", scratch.path("cut.exr")},
        {5, "in", scratch.path("whole.tif")}, {6, "in", scratch.path("cut.tif")},
        {7, "in", scratch.path("text.png")},  {8, "in", scratch.path("missing.png")},
        {9, "in", scratch.path("")},
    };
    std::vector<int> left;
    for (const vmcli::FrameTask& task : vmcli::framesStillToRender(tasks)) left.push_back(task.frame);
    EXPECT_EQ((std::vector<int>{2, 4, 6, 7, 8, 9}), left);
}

}  // namespace
