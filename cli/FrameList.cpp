#include "cli/FrameList.h"

#include <limits>
#include <set>

#include "cli/CliErrors.h"
#include "cli/NumberText.h"

namespace vmcli {

namespace {

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos) return parts;
        start = end + 1;
    }
}

int frameNumber(const std::string& text, const std::string& item) {
    const auto value = parseInteger(text);
    // A sign is no part of a frame number; parseInteger would take "+3".
    if (!value || *value < 0 || *value > std::numeric_limits<int>::max() || text[0] == '+')
        throw UsageError("--frames: \"" + item + "\" is not a frame number, a range like 1-240 or a stepped range "
                         "like 1-240x2");
    return static_cast<int>(*value);
}

}  // namespace

std::vector<int> parseFrameList(const std::string& text) {
    std::vector<int> frames;
    std::set<int> seen;
    auto add = [&](int frame) {
        if (!seen.insert(frame).second) return;
        if (frames.size() >= static_cast<std::size_t>(kMaxFrames))
            throw UsageError("--frames: more than " + std::to_string(kMaxFrames) + " frames");
        frames.push_back(frame);
    };
    for (const std::string& item : split(text, ',')) {
        const std::size_t dash = item.find('-');
        if (dash == std::string::npos) {
            add(frameNumber(item, item));
            continue;
        }
        const std::size_t times = item.find('x', dash);
        const int first = frameNumber(item.substr(0, dash), item);
        const std::size_t lastLength = times == std::string::npos ? std::string::npos : times - dash - 1;
        const int last = frameNumber(item.substr(dash + 1, lastLength), item);
        const int step = times == std::string::npos ? 1 : frameNumber(item.substr(times + 1), item);
        if (last < first) throw UsageError("--frames: the range \"" + item + "\" runs backwards");
        if (step < 1) throw UsageError("--frames: the step of \"" + item + "\" must be at least 1");
        for (long long frame = first; frame <= last; frame += step) add(static_cast<int>(frame));
    }
    return frames;
}

}  // namespace vmcli
