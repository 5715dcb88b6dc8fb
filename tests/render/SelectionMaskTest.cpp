// The selection mask's flags, the workers' chunks, and progress reporting. The mask's layout in its
// host block, and the bands the workers split lines into, are held by the differential blur test.
#include "render/PixelTask.h"
#include "render/ProgressMeter.h"
#include "tests/render/RenderTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

std::vector<int> bytes(const std::uint8_t* first, std::int32_t count) { return std::vector<int>(first, first + count); }

TEST(SelectionMaskTest, FillInvertFlagsAndCount) {
    vmhost::Host host{vmhost::HostConfig::checking()};
    // Any non-zero byte counts as selected; row 1 and columns 3 and 4 select nothing.
    const std::uint8_t rows[3][5] = {{0, 7, 0, 0, 0}, {0, 0, 0, 0, 0}, {255, 0, 1, 0, 0}};
    SelectionMask mask;
    allocateMask(mask, &host.inData(), 5, 3);
    for (std::int32_t y = 0; y < 3; ++y) std::copy(rows[y], rows[y] + 5, mask.row(y));
    updateMaskFlags(mask);
    EXPECT_EQ((std::vector<int>{1, 0, 1}), bytes(mask.rowFlags, 3));
    EXPECT_EQ((std::vector<int>{1, 1, 1, 0, 0}), bytes(mask.columnFlags, 5));
    EXPECT_EQ(3, countSelected(mask));

    invertMask(mask);
    EXPECT_EQ(12, countSelected(mask));
    EXPECT_EQ((std::vector<int>{255, 0, 255, 255, 255}), bytes(mask.row(0), 5));
    EXPECT_EQ(std::vector<int>(5, 255), bytes(mask.row(1), 5));
    EXPECT_EQ((std::vector<int>{0, 255, 0, 255, 255}), bytes(mask.row(2), 5));
    EXPECT_EQ(std::vector<int>(3, 1), bytes(mask.rowFlags, 3));
    EXPECT_EQ(std::vector<int>(5, 1), bytes(mask.columnFlags, 5));

    fillMask(mask);
    for (std::int32_t y = 0; y < 3; ++y) EXPECT_EQ(std::vector<int>(5, 255), bytes(mask.row(y), 5));
    invertMask(mask);
    EXPECT_EQ(std::vector<int>(3, 0), bytes(mask.rowFlags, 3)) << "nothing selected, no flag set";
    EXPECT_EQ(0, countSelected(mask));
    EXPECT_EQ(std::vector<int>(5, 0), bytes(mask.columnFlags, 5));
}

// Chunks taken by the workers in turn: each exactly once, all told the same count, whatever
// the workers; a failing chunk's error is the result, and a lone worker takes none after it.
struct ChunkLog {
    mutable std::vector<std::atomic<int>> runs = std::vector<std::atomic<int>>(64);
    mutable std::atomic<int> counted{-1};
    std::int32_t failing = -1;
};

PF_Err logChunk(const ChunkLog& log, std::int32_t chunk, std::int32_t chunks) {
    log.runs[static_cast<std::size_t>(chunk)]++;
    int expected = -1;
    if (!log.counted.compare_exchange_strong(expected, chunks) && expected != chunks) log.counted = -2;
    return chunk == log.failing ? PF_Err_OUT_OF_MEMORY : PF_Err_NONE;
}

TEST(PixelTaskTest, WorkersTakeEveryChunkOnce) {
    for (int workers : {1, 2, 7}) {
        vmhost::Host host(hostWithWorkers(workers));
        ChunkLog log;
        ASSERT_EQ(PF_Err_NONE, (runPixelTaskInChunks<ChunkLog, logChunk>(&host.inData(), 3, log)));
        EXPECT_EQ(3 * workers, log.counted.load()) << workers << " workers";
        for (int i = 0; i < 64; ++i) EXPECT_EQ(i < 3 * workers ? 1 : 0, log.runs[i].load()) << "chunk " << i;
    }
    vmhost::Host host(hostWithWorkers(1));
    ChunkLog log;
    log.failing = 4;
    EXPECT_EQ(PF_Err_OUT_OF_MEMORY, (runPixelTaskInChunks<ChunkLog, logChunk>(&host.inData(), 8, log)));
    for (int i = 0; i < 8; ++i) EXPECT_EQ(i <= 4 ? 1 : 0, log.runs[i].load()) << "chunk " << i;
}

TEST(ProgressMeterTest, ReportsPercentAndPassesTheAnswerOn) {
    vmhost::Host host{vmhost::HostConfig::checking()};
    ProgressMeter meter(&host.inData(), 2), nothingToDo(&host.inData(), 0), silent(nullptr, 2);
    EXPECT_EQ(PF_Err_NONE, meter.report());
    for (int i = 0; i < 3; ++i) EXPECT_EQ(PF_Err_NONE, meter.step());  // the third goes past the total
    EXPECT_EQ(PF_Err_NONE, nothingToDo.report());
    EXPECT_EQ(PF_Err_NONE, silent.step());
    const std::vector<A_long> expected = {0, 50, 100, 100, 100};
    const auto log = host.interaction().progressLog();
    ASSERT_EQ(expected.size(), log.size()) << "no host, no call";
    for (std::size_t i = 0; i < log.size(); ++i) {
        EXPECT_EQ(expected[i], log[i].current);
        EXPECT_EQ(100, log[i].total);
    }
    host.interaction().answerProgressFrom(1);
    EXPECT_EQ(PF_Interrupt_CANCEL, meter.report());
}

}  // namespace
