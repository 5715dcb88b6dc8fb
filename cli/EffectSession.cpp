#include "cli/EffectSession.h"

#include <algorithm>
#include <filesystem>

#include "cli/CliErrors.h"
#include "cli/EffectText.h"
#include "cli/ModuleLocation.h"
#include "host/ErrorText.h"
#include "host/FrameRenderer.h"

namespace vmcli {

namespace {

vmhost::HostConfig hostConfig(const SessionConfig& config) {
    vmhost::HostConfig hostConfig;
    hostConfig.appLanguage = config.languageTag;
    if (config.workerThreads) hostConfig.workerThreads = *config.workerThreads;
    // Room for a frame's input, output and temporary worlds (an 8-bit frame blurs in three
    // 16-bit ones beside two of its own) for every frame in flight.
    constexpr int kImagesPerFrame = 8;
    hostConfig.recycledWorlds = kImagesPerFrame * std::max(1, config.framesAtOnce);
    return hostConfig;
}

}  // namespace

EffectSession::EffectSession(const SessionConfig& config) : host_(hostConfig(config)) {
    try {
        host_.loadEffect(config.modulePath);
    } catch (const vmhost::ModuleLoadError& e) {
        throw RunError("cannot load the effect module \"" + config.modulePath + "\": " + e.what());
    }
    sendOrThrow(PF_Cmd_GLOBAL_SETUP, "global setup");
    globalSetUp_ = true;
}

EffectSession::~EffectSession() {
    // Set-down failures at the end change nothing that was written.
    if (sequenceSetUp_) host_.send(PF_Cmd_SEQUENCE_SETDOWN);
    if (globalSetUp_) host_.send(PF_Cmd_GLOBAL_SETDOWN);
}

void EffectSession::sendOrThrow(PF_Cmd cmd, const char* name) {
    const PF_Err err = host_.send(cmd);
    if (err == PF_Err_NONE) return;
    std::string message = "the effect failed its " + std::string(name) + " with " + vmhost::describeError(err);
    const std::string text = effectTextToUtf8(host_.returnMessage());
    if (!text.empty()) message += ": " + text;
    throw RunError(message);
}

std::string EffectSession::about() {
    sendOrThrow(PF_Cmd_ABOUT, "about command");
    return effectTextToUtf8(host_.returnMessage());
}

void EffectSession::setUpInstance() {
    sendOrThrow(PF_Cmd_PARAMS_SETUP, "parameter setup");
    sendOrThrow(PF_Cmd_SEQUENCE_SETUP, "sequence setup");
    sequenceSetUp_ = true;
}

vmhost::FrameResult EffectSession::render(const vmhost::Image& input, const vmhost::FrameRequest& request) {
    vmhost::FrameResult result = vmhost::FrameRenderer(host_).render(input, request);
    // The host logs every progress call; a long sequence need not keep them.
    host_.interaction().clearLog();
    return result;
}

void EffectSession::cancelRendering() {
    host_.interaction().answerProgressFrom(1, PF_Interrupt_CANCEL);
    host_.interaction().answerAbortFrom(1, PF_Interrupt_CANCEL);
}

std::string resolveModulePath(const std::optional<std::string>& plugin) {
    if (!plugin) return defaultModulePath();
    return std::filesystem::absolute(*plugin).string();
}

}  // namespace vmcli
