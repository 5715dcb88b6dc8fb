#include "cli/ProgressFormat.h"

#include <cmath>

#include "cli/CliErrors.h"
#include "cli/NumberText.h"

namespace vmcli {

namespace {

std::string twoDigits(long long value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
}

std::string rateText(int done, double elapsedSeconds) {
    if (done == 0 || elapsedSeconds <= 0.0) return "-- fps";
    return formatFixed(done / elapsedSeconds, 1) + " fps";
}

double secondsLeft(int done, int total, double elapsedSeconds) {
    if (done == 0 || elapsedSeconds <= 0.0) return -1.0;
    return elapsedSeconds / done * (total - done);
}

}  // namespace

ProgressStyle parseProgressStyle(const std::string& text) {
    if (text == "bar") return ProgressStyle::Bar;
    if (text == "lines") return ProgressStyle::Lines;
    if (text == "openjd") return ProgressStyle::OpenJD;
    if (text == "none") return ProgressStyle::None;
    throw UsageError("--progress takes bar, lines, openjd or none, not \"" + text + "\"");
}

ProgressStyle defaultProgressStyle(bool terminal) {
    return terminal ? ProgressStyle::Bar : ProgressStyle::Lines;
}

std::string formatDuration(double seconds) {
    if (seconds < 0.0 || !std::isfinite(seconds)) return "--:--";
    const auto whole = static_cast<long long>(std::llround(seconds));
    const long long hours = whole / 3600;
    const long long minutes = whole / 60 % 60;
    const std::string tail = twoDigits(whole % 60);
    if (hours > 0) return std::to_string(hours) + ":" + twoDigits(minutes) + ":" + tail;
    return std::to_string(minutes) + ":" + tail;
}

std::string progressBar(int done, int total, double elapsedSeconds, int barWidth) {
    const int filled = total > 0 ? static_cast<int>(static_cast<long long>(barWidth) * done / total) : barWidth;
    return "[" + std::string(filled, '#') + std::string(barWidth - filled, '-') + "]  " + std::to_string(done) + "/" +
           std::to_string(total) + " frames  " + rateText(done, elapsedSeconds) + "  " +
           formatDuration(secondsLeft(done, total, elapsedSeconds)) + " left";
}

std::string progressLine(const FrameTask& task, double frameSeconds, int done, int total, double elapsedSeconds) {
    return "frame " + std::to_string(task.frame) + " wrote " + task.outputPath + " in " + formatFixed(frameSeconds, 2) +
           " s (" + std::to_string(done) + "/" + std::to_string(total) + ", " +
           formatDuration(secondsLeft(done, total, elapsedSeconds)) + " left)";
}

std::string openjdProgress(int done, int total) {
    const double percent = total > 0 ? 100.0 * done / total : 100.0;
    return "openjd_progress: " + formatFixed(percent, 1);
}

std::string openjdStatus(const std::string& message) {
    return "openjd_status: " + message;
}

}  // namespace vmcli
