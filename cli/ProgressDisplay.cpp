#include "cli/ProgressDisplay.h"

#include "cli/PrintableText.h"

namespace vmcli {

ProgressDisplay::ProgressDisplay(std::ostream& out, ProgressStyle style, int totalFrames)
    : out_(out), style_(style), total_(totalFrames) {
    if (style_ == ProgressStyle::Bar) out_ << "\r" << progressBar(0, total_, 0.0) << std::flush;
    if (style_ == ProgressStyle::OpenJD)
        out_ << openjdStatus("rendering " + std::to_string(total_) + " frame(s)") << "\n"
             << openjdProgress(0, total_) << "\n"
             << std::flush;
}

double ProgressDisplay::elapsedSeconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

void ProgressDisplay::frameWritten(const FrameTask& task, double seconds) {
    std::lock_guard<std::mutex> lock(mutex_);
    ++done_;
    switch (style_) {
        case ProgressStyle::Bar:
            out_ << "\r" << progressBar(done_, total_, elapsedSeconds()) << "\x1b[K" << std::flush;
            break;
        case ProgressStyle::Lines:
            out_ << progressLine(task, seconds, done_, total_, elapsedSeconds()) << "\n" << std::flush;
            break;
        case ProgressStyle::OpenJD:
            out_ << openjdStatus("frame " + std::to_string(task.frame) + " written (" + std::to_string(done_) + "/" +
                                 std::to_string(total_) + ")")
                 << "\n"
                 << openjdProgress(done_, total_) << "\n"
                 << std::flush;
            break;
        case ProgressStyle::None:
            break;
    }
}

void ProgressDisplay::warn(const std::string& text) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!warned_.insert(text).second) return;
    if (style_ == ProgressStyle::Bar && !finished_) {
        out_ << "\r\x1b[K" << "velumixer-render: warning: " << printableText(text) << "\n"
             << progressBar(done_, total_, elapsedSeconds()) << std::flush;
    } else {
        out_ << "velumixer-render: warning: " << printableText(text) << "\n" << std::flush;
    }
}

void ProgressDisplay::finish() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (style_ == ProgressStyle::Bar && !finished_) out_ << "\n" << std::flush;
    finished_ = true;
}

}  // namespace vmcli
