#pragma once
// Renders one frame through the loaded effect: the host lends the effect the
// input image (a copy of it with HostConfig::copyFrameInput) and a fresh
// output world, sends the render commands with in_data set for the frame,
// and hands back the output with what the effect did on the way. Parameter values are the host's current
// ones (Host::params(), set by name). Frames may render on several threads
// at once: each has its own in_data, out_data, SmartFX records and
// parameter copies.

#include "host/FrameRequest.h"
#include "host/Host.h"
#include "host/Image.h"

namespace vmhost {

class FrameRenderer {
public:
    explicit FrameRenderer(Host& host) : host_(host) {}

    // Throws std::logic_error without an effect.
    FrameResult render(const Image& input, const FrameRequest& request = {});

private:
    PF_InData frameInData(const Image& input, const FrameRequest& request) const;
    void renderSmart(PF_InData& in, Image& input, FrameResult& result, const FrameRequest& request);
    void renderLegacy(PF_InData& in, Image& input, FrameResult& result);

    Host& host_;
};

}  // namespace vmhost
