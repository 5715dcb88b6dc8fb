#include "cli/FrameChunks.h"

#include <algorithm>

#include "cli/CliErrors.h"
#include "cli/FrameList.h"
#include "cli/NumberText.h"

namespace vmcli {

namespace {

// A chunk count beyond the frame limit could only give empty chunks.
constexpr int kMaxChunks = kMaxFrames;

bool digitsOnly(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

FrameChunk parseFrameChunk(const std::string& text) {
    const std::size_t slash = text.find('/');
    const std::string index = text.substr(0, slash);
    const std::string count = slash == std::string::npos ? "" : text.substr(slash + 1);
    if (!digitsOnly(index) || !digitsOnly(count))
        throw UsageError("--chunk: \"" + text + "\" is not K/N, the K-th of N chunks (e.g. 2/4)");
    // Digits only, so only a number too long to hold fails here.
    const long long k = parseInteger(index).value_or(-1);
    const long long n = parseInteger(count).value_or(-1);
    if (n < 1 || n > kMaxChunks)
        throw UsageError("--chunk: \"" + text + "\" needs a chunk count from 1 to " + std::to_string(kMaxChunks));
    if (k < 1 || k > n)
        throw UsageError("--chunk: \"" + text + "\" needs a chunk number from 1 to " + std::to_string(n));
    return FrameChunk{static_cast<int>(k), static_cast<int>(n)};
}

ChunkBounds chunkBounds(std::size_t size, FrameChunk chunk) {
    // The first size % N chunks take one frame more, so with more chunks than
    // frames the empty ones are the last.
    const std::size_t count = static_cast<std::size_t>(chunk.count);
    const std::size_t base = size / count;
    const std::size_t longer = size % count;
    const auto start = [&](std::size_t k) { return k * base + std::min(k, longer); };
    const std::size_t k = static_cast<std::size_t>(chunk.index) - 1;
    return ChunkBounds{start(k), start(k + 1)};
}

}  // namespace vmcli
