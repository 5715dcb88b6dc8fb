#include "host/Host.h"

#include <cstring>
#include <stdexcept>

namespace vmhost {

Host::Host(HostConfig config)
    : context_(std::make_unique<HostContext>(config)),
      creatorBinding_(context_.get()),
      sequence_(context_->handles()) {
    if (config.openMainWindow) {
        mainWindow_ = std::make_unique<MainWindow>(*config.openMainWindow);
        context_->setMainWindow(mainWindow_->handle());
    }
    initInData(config);
    std::memset(&outData_, 0, sizeof outData_);
}

Host::~Host() = default;

void Host::initInData(const HostConfig& config) {
    std::memset(&inData_, 0, sizeof inData_);
    inData_.inter = context_->interactCallbacks();
    inData_.utils = context_->utils();
    inData_.effect_ref = context_->ref();
    inData_.quality = PF_Quality_HI;
    inData_.version.major = config.apiMajor;
    inData_.version.minor = config.apiMinor;
    inData_.appl_id = config.applicationId;
    inData_.current_time = 0;
    inData_.time_step = 1;
    inData_.local_time_step = 1;
    inData_.total_time = static_cast<A_long>(config.timeScale) * 10;
    inData_.time_scale = config.timeScale;
    inData_.field = PF_Field_FRAME;
    inData_.width = config.layerWidth;
    inData_.height = config.layerHeight;
    inData_.extent_hint = {0, 0, config.layerWidth, config.layerHeight};
    inData_.downsample_x = {1, 1};
    inData_.downsample_y = {1, 1};
    inData_.pixel_aspect_ratio = {1, 1};
    inData_.pica_basicP = config.provideBasicSuite ? context_->basicSuite() : nullptr;
}

void Host::loadEffect(const std::string& modulePath) {
    auto module = std::make_unique<EffectModule>(modulePath);
    entry_ = module->entry();
    context_->setModule(module->nativeHandle(), module->path());
    module_ = std::move(module);
}

void Host::useEntryPoint(PF_EffectEntryFunc entry, void* moduleHandle) {
    module_.reset();
    entry_ = entry;
    context_->setModule(moduleHandle, std::string());
}

PF_Err Host::send(PF_Cmd cmd, PF_ParamDef** params, PF_LayerDef* output, void* extra) {
    std::memset(&outData_, 0, sizeof outData_);
    // The effect hands its data back through out_data; unchanged unless it says so.
    outData_.global_data = inData_.global_data;
    outData_.sequence_data = inData_.sequence_data;
    outData_.frame_data = inData_.frame_data;
    outData_.width = inData_.width;
    outData_.height = inData_.height;
    return call(cmd, params, output, extra);
}

PF_Err Host::sendAsPrepared(PF_Cmd cmd, PF_ParamDef** params, PF_LayerDef* output, void* extra) {
    return call(cmd, params, output, extra);
}

PF_Err Host::sendWith(PF_Cmd cmd, PF_InData& in, PF_OutData& out, PF_ParamDef** params, PF_LayerDef* output,
                      void* extra) {
    if (!entry_) throw std::logic_error("Host: no effect loaded");
    ThreadBinding binding(context_.get());
    return entry_(cmd, &in, &out, params, output, extra);
}

PF_Err Host::call(PF_Cmd cmd, PF_ParamDef** params, PF_LayerDef* output, void* extra) {
    if (cmd == PF_Cmd_PARAMS_SETUP) context_->params().beginSetup();
    const PF_Err err = sendWith(cmd, inData_, outData_, params, output, extra);
    keepWhatTheEffectHandedBack(cmd, err);
    return err;
}

void Host::keepWhatTheEffectHandedBack(PF_Cmd cmd, PF_Err err) {
    switch (cmd) {
        case PF_Cmd_GLOBAL_SETUP:
            if (err == PF_Err_NONE) inData_.global_data = outData_.global_data;
            break;
        case PF_Cmd_GLOBAL_SETDOWN:
            inData_.global_data = nullptr;
            break;
        case PF_Cmd_PARAMS_SETUP:
            context_->params().endSetup(outData_.num_params);
            // A failed setup leaves no usable parameter set.
            inData_.num_params = err == PF_Err_NONE ? context_->params().count() : 0;
            break;
        default:
            sequence_.afterCommand(cmd, err, inData_, outData_);
            break;
    }
}

std::optional<HandleBytes> Host::sequenceData() const {
    if (!inData_.sequence_data) return std::nullopt;
    return context_->handles().contents(inData_.sequence_data);
}

std::string Host::returnMessage() const {
    const char* msg = outData_.return_msg;
    return std::string(msg, strnlen(msg, sizeof outData_.return_msg));
}

void Host::fillOutData(unsigned char pattern) {
    std::memset(&outData_, pattern, sizeof outData_);
}

}  // namespace vmhost
