#pragma once
// An embedded host that loads an effect and drives it command by command,
// counting what the effect holds so tests can find leaks and threading faults.

#include <memory>
#include <optional>
#include <string>

#include "host/EffectModule.h"
#include "host/HostConfig.h"
#include "host/HostContext.h"
#include "host/MainWindow.h"
#include "host/SequenceHandOver.h"
#include "host/ThreadBinding.h"
#include "hostapi/HostApi.h"

namespace vmhost {

class Host {
public:
    // Binds the constructing thread to this host (see ThreadBinding).
    explicit Host(HostConfig config = {});
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // Loads the module and sends it commands from now on. Throws ModuleLoadError.
    void loadEffect(const std::string& modulePath);
    // For an effect linked into the program: commands go to `entry`, and
    // RES_DLLINSTANCE answers `moduleHandle`.
    void useEntryPoint(PF_EffectEntryFunc entry, void* moduleHandle = nullptr);
    bool hasEffect() const { return entry_ != nullptr; }
    const EffectModule* module() const { return module_.get(); }

    // Clears out_data, fills the fields the host passes in (global and
    // sequence data), then calls the effect. Throws std::logic_error
    // without an effect. The host keeps what the effect hands back as a real
    // host does: global data, the parameters of PARAMS_SETUP (after which
    // in_data->num_params counts them) and sequence data (SequenceHandOver).
    PF_Err send(PF_Cmd cmd, PF_ParamDef** params = nullptr, PF_LayerDef* output = nullptr,
                void* extra = nullptr);
    // Calls the effect with in_data and out_data exactly as they are now, so
    // a test can plant a pattern and see what the effect wrote.
    PF_Err sendAsPrepared(PF_Cmd cmd, PF_ParamDef** params = nullptr, PF_LayerDef* output = nullptr,
                          void* extra = nullptr);

    // Calls the effect with the caller's own records, for instance one pair
    // per render thread (copies of inData()); nothing is reset or kept.
    PF_Err sendWith(PF_Cmd cmd, PF_InData& in, PF_OutData& out, PF_ParamDef** params = nullptr,
                    PF_LayerDef* output = nullptr, void* extra = nullptr);

    PF_InData& inData() { return inData_; }
    const PF_InData& inData() const { return inData_; }
    PF_OutData& outData() { return outData_; }
    const PF_OutData& outData() const { return outData_; }
    // out_data->return_msg up to its terminator (or all 256 bytes without one).
    std::string returnMessage() const;
    // out_data with every byte set to `pattern`.
    void fillOutData(unsigned char pattern);

    // The host's bookkeeping and knobs.
    HandleStore& handles() { return context_->handles(); }
    SuiteRegistry& suites() { return context_->suites(); }
    InteractionState& interaction() { return context_->interaction(); }
    int workerThreads() { return context_->pool().size(); }
    int outstandingBlocks() { return context_->outstandingBlocks().load(); }
    // Served even when in_data carries no basic suite.
    SPBasicSuite* basicSuite() { return context_->basicSuite(); }
    PF_UtilCallbacks* utils() { return context_->utils(); }
    void setAppLanguage(std::optional<std::string> tag) { context_->setAppLanguage(std::move(tag)); }
    void setMainWindow(void* window) { context_->setMainWindow(window); }
    // What PF_PlatData_MAIN_WND answers now.
    void* mainWindow() const { return context_->mainWindow(); }
    HostContext& context() { return *context_; }

    // Parameters: the input layer and what the effect added at PARAMS_SETUP.
    ParamList& params() { return context_->params(); }
    // For commands that take the params array, e.g. send(PF_Cmd_UPDATE_PARAMS_UI, host.paramsArray()).
    PF_ParamDef** paramsArray() { return context_->params().array(); }
    ParamCallLog& paramCalls() { return context_->paramCalls(); }
    ParamUiLog& paramUi() { return context_->paramUi(); }
    // Offers or withdraws "PF Param Utils Suite" version 2 or 3 (both served at first).
    void serveParamUtilsSuite(A_long version, bool serve) { context_->serveParamUtilsSuite(version, serve); }

    // Worlds: those made for the effect through the world suites, and the
    // frame worlds lent while a frame renders (see FrameRenderer).
    WorldStore& worlds() { return context_->worlds(); }
    int outstandingWorlds() { return context_->worlds().outstanding(); }
    // Offers or withdraws "PF World Suite" version 1 or 2 (version 2 unless
    // HostConfig::serveWorldSuite2 is false).
    void serveWorldSuite(A_long version, bool serve) { context_->serveWorldSuite(version, serve); }
    // Plain and high-quality copies of the World Transform suite.
    WorldCopyLog& worldCopies() { return context_->worldCopies(); }
    // Handles and worlds left over after frames.
    FrameLeakWatch& frameLeaks() { return context_->frameLeaks(); }
    // Every effect call that may fail, counted in one sequence (see FailurePoints).
    FailurePoints& failurePoints() { return context_->failurePoints(); }

    // Sequence data of the instance. Planting replaces it with a new handle
    // holding `bytes` (nullopt: none), e.g. before PF_Cmd_SEQUENCE_RESETUP.
    void setSequenceData(const std::optional<HandleBytes>& bytes) { sequence_.plant(inData_, bytes); }
    // The bytes of the instance's handle; nullopt when it has none (or one
    // the host does not know).
    std::optional<HandleBytes> sequenceData() const;
    // What the last PF_Cmd_GET_FLATTENED_SEQUENCE_DATA handed over.
    const std::optional<HandleBytes>& lastFlatSequenceData() const { return sequence_.lastFlatCopy(); }

    // Lets another thread call the reference-free callbacks of this host
    // (handles, suites, iterate_generic) while the returned object lives.
    std::unique_ptr<ThreadBinding> bindCurrentThread() { return std::make_unique<ThreadBinding>(context_.get()); }

private:
    void initInData(const HostConfig& config);
    PF_Err call(PF_Cmd cmd, PF_ParamDef** params, PF_LayerDef* output, void* extra);
    void keepWhatTheEffectHandedBack(PF_Cmd cmd, PF_Err err);

    std::unique_ptr<EffectModule> module_;  // unloaded last
    std::unique_ptr<HostContext> context_;
    std::unique_ptr<MainWindow> mainWindow_;  // only when the config asks for one
    ThreadBinding creatorBinding_;
    SequenceHandOver sequence_;
    PF_EffectEntryFunc entry_ = nullptr;
    PF_InData inData_;
    PF_OutData outData_;
};

}  // namespace vmhost
