#pragma once
// Which copy of the World Transform suite the effect called: the plain one or
// the high-quality one. Safe to call from several threads.

#include <atomic>

namespace vmhost {

class WorldCopyLog {
public:
    void record(bool highQuality) { ++(highQuality ? highQuality_ : plain_); }
    int plainCopies() const { return plain_.load(); }
    int highQualityCopies() const { return highQuality_.load(); }
    void clear() {
        plain_ = 0;
        highQuality_ = 0;
    }

private:
    std::atomic<int> plain_{0};
    std::atomic<int> highQuality_{0};
};

}  // namespace vmhost
