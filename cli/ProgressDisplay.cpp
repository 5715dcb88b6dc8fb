#include "cli/ProgressDisplay.h"

#include <cmath>

#include "cli/NumberText.h"
#include "cli/PrintableText.h"

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

std::string progressLine(const FrameTask& task, int done, int total, double elapsedSeconds) {
    return "wrote " + task.outputPath + " (frame " + std::to_string(task.frame) + ", " + std::to_string(done) + "/" +
           std::to_string(total) + ", " + rateText(done, elapsedSeconds) + ", " +
           formatDuration(secondsLeft(done, total, elapsedSeconds)) + " left)";
}

ProgressDisplay::ProgressDisplay(std::ostream& out, bool terminal, int totalFrames)
    : out_(out), terminal_(terminal), total_(totalFrames) {
    if (terminal_) out_ << "\r" << progressBar(0, total_, 0.0) << std::flush;
}

double ProgressDisplay::elapsedSeconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

void ProgressDisplay::frameWritten(const FrameTask& task) {
    std::lock_guard<std::mutex> lock(mutex_);
    ++done_;
    if (terminal_)
        out_ << "\r" << progressBar(done_, total_, elapsedSeconds()) << "\x1b[K" << std::flush;
    else
        out_ << progressLine(task, done_, total_, elapsedSeconds()) << "\n" << std::flush;
}

void ProgressDisplay::warn(const std::string& text) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!warned_.insert(text).second) return;
    if (terminal_ && !finished_) {
        out_ << "\r\x1b[K" << "velumixer-render: warning: " << printableText(text) << "\n"
             << progressBar(done_, total_, elapsedSeconds()) << std::flush;
    } else {
        out_ << "velumixer-render: warning: " << printableText(text) << "\n" << std::flush;
    }
}

void ProgressDisplay::finish() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (terminal_ && !finished_) out_ << "\n" << std::flush;
    finished_ = true;
}

}  // namespace vmcli
