#pragma once
// A file path that may hold one printf-style frame-number field: "shot_%04d.png"
// or "shot_%d.png". "%%" stands for a single "%"; any other "%" is literal.

#include <string>

namespace vmcli {

class FramePattern {
public:
    // Throws UsageError for a second frame field or a field padded with spaces.
    explicit FramePattern(std::string path);

    bool hasFrameField() const { return fieldWidth_ >= 0; }
    // The path of one frame; without a frame field the same path for every frame.
    std::string pathFor(int frame) const;
    const std::string& text() const { return text_; }

private:
    std::string text_;
    std::string before_;
    std::string after_;
    int fieldWidth_ = -1;  // digits with zero padding; -1: no field
};

}  // namespace vmcli
