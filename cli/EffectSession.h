#pragma once
// One effect instance in the embedded host, taken through the commands After
// Effects sends before and after rendering: global setup, then (for an
// instance) parameter and sequence setup; sequence and global set-down when
// the session ends. Frames may render on several threads at once.

#include <optional>
#include <string>

#include "host/FrameRequest.h"
#include "host/Host.h"
#include "host/Image.h"

namespace vmcli {

struct SessionConfig {
    std::string modulePath;
    std::string languageTag = "en_US";
    std::optional<int> workerThreads;
    // Frames rendered at the same time (the host keeps the memory of each
    // one's worlds, input and output for the next).
    int framesAtOnce = 1;
};

class EffectSession {
public:
    // Loads the module and sends PF_Cmd_GLOBAL_SETUP. Throws RunError.
    explicit EffectSession(const SessionConfig& config);
    ~EffectSession();
    EffectSession(const EffectSession&) = delete;
    EffectSession& operator=(const EffectSession&) = delete;

    // PF_Cmd_ABOUT's text, in UTF-8.
    std::string about();
    // PF_Cmd_PARAMS_SETUP and PF_Cmd_SEQUENCE_SETUP. Throws RunError.
    void setUpInstance();

    vmhost::ParamList& params() { return host_.params(); }
    vmhost::Host& host() { return host_; }

    // One frame with the current parameter values; safe on several threads.
    vmhost::FrameResult render(const vmhost::Image& input, const vmhost::FrameRequest& request);
    // From now on the host answers the effect's progress and abort calls with
    // PF_Interrupt_CANCEL, so frames in flight stop early.
    void cancelRendering();

private:
    void sendOrThrow(PF_Cmd cmd, const char* name);

    vmhost::Host host_;
    bool globalSetUp_ = false;
    bool sequenceSetUp_ = false;
};

// The module path to load: `plugin` made absolute (so the loader does not
// search library folders for a bare file name), or the default one (ModuleLocation.h).
std::string resolveModulePath(const std::optional<std::string>& plugin);

}  // namespace vmcli
