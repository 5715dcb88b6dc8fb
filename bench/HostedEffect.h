#pragma once
// The effect module beside the program, loaded into the embedded host as one instance and set
// up as After Effects sets one up; parameters are set by display name and frames render
// through SmartFX, so a frame costs what it costs in a host: the effect and the host's part.

#include <string>

#include "host/Host.h"
#include "host/Image.h"

class HostedEffect {
public:
    // The layer is `width` x `height`; `workerThreads` run the host's iterate_generic.
    // Throws std::runtime_error when the module does not load or set up.
    HostedEffect(A_long width, A_long height, int workerThreads);
    ~HostedEffect();
    HostedEffect(const HostedEffect&) = delete;
    HostedEffect& operator=(const HostedEffect&) = delete;

    // "Name=value" as velumixer-render --set takes it. Throws vmcli::UsageError.
    void set(const std::string& setting);
    // One frame with the current values. Throws std::runtime_error when the effect fails it.
    vmhost::Image render(const vmhost::Image& input);
    // An output back to the host, which renders the next frame into its memory, as a host
    // reuses its frame buffers.
    void giveBack(vmhost::Image&& output) { host_.worlds().recycle(std::move(output)); }
    // Worlds the effect has made through the world suites so far.
    long long worldsMade() { return host_.worlds().creations(); }

private:
    void send(PF_Cmd cmd, const char* what);

    vmhost::Host host_;
    bool globalSetUp_ = false;
    bool sequenceSetUp_ = false;
};
