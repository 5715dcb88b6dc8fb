#pragma once
// --chunk K/N: the K-th of N nearly equal, contiguous pieces of a frame list,
// so a farm task names its share of a shot without doing the arithmetic.

#include <cstddef>
#include <string>
#include <vector>

namespace vmcli {

struct FrameChunk {
    int index = 1;  // K, from 1
    int count = 1;  // N
};

// "K/N" with 1 <= K <= N. Throws UsageError naming the text.
FrameChunk parseFrameChunk(const std::string& text);

// Positions [begin, end) of the chunk in a list of `size` items. Chunk sizes
// differ by one at most; with more chunks than items some are empty.
struct ChunkBounds {
    std::size_t begin = 0;
    std::size_t end = 0;
};
ChunkBounds chunkBounds(std::size_t size, FrameChunk chunk);

template <typename T>
std::vector<T> chunkOf(const std::vector<T>& items, FrameChunk chunk) {
    const ChunkBounds bounds = chunkBounds(items.size(), chunk);
    return std::vector<T>(items.begin() + static_cast<std::ptrdiff_t>(bounds.begin),
                          items.begin() + static_cast<std::ptrdiff_t>(bounds.end));
}

}  // namespace vmcli
