#include "bench/HostedEffect.h"

#include <stdexcept>

#include "cli/ParamSetting.h"
#include "host/ErrorText.h"
#include "host/FrameRenderer.h"
#include "host/ModulePath.h"

namespace {

vmhost::HostConfig layerConfig(A_long width, A_long height, int workerThreads) {
    vmhost::HostConfig config;
    config.layerWidth = width;
    config.layerHeight = height;
    config.workerThreads = workerThreads;
    return config;
}

}  // namespace

HostedEffect::HostedEffect(A_long width, A_long height, int workerThreads)
    : host_(layerConfig(width, height, workerThreads)) {
    host_.loadEffect(vmhost::defaultModulePath());
    send(PF_Cmd_GLOBAL_SETUP, "global setup");
    globalSetUp_ = true;
    send(PF_Cmd_PARAMS_SETUP, "parameter setup");
    send(PF_Cmd_SEQUENCE_SETUP, "sequence setup");
    sequenceSetUp_ = true;
}

HostedEffect::~HostedEffect() {
    if (sequenceSetUp_) host_.send(PF_Cmd_SEQUENCE_SETDOWN);
    if (globalSetUp_) host_.send(PF_Cmd_GLOBAL_SETDOWN);
}

void HostedEffect::send(PF_Cmd cmd, const char* what) {
    const PF_Err err = host_.send(cmd);
    if (err != PF_Err_NONE)
        throw std::runtime_error(std::string("the effect failed its ") + what + " with " + vmhost::describeError(err));
}

void HostedEffect::set(const std::string& setting) {
    vmcli::applyParamSetting(host_.params(), vmcli::parseParamSetting(setting));
}

vmhost::Image HostedEffect::render(const vmhost::Image& input) {
    vmhost::FrameResult result = vmhost::FrameRenderer(host_).render(input);
    // The host logs every progress call; a long run need not keep them.
    host_.interaction().clearLog();
    if (result.err != PF_Err_NONE)
        throw std::runtime_error("the effect failed a frame with " + vmhost::describeError(result.err));
    return std::move(result.output);
}
