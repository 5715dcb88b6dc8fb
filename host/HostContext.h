#pragma once
// The private state of one embedded host. The effect's effect_ref points at
// it, and the callbacks without a reference reach it through ThreadBinding.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "host/ActiveFrames.h"
#include "host/FailurePoints.h"
#include "host/FrameLeakWatch.h"
#include "host/HandleStore.h"
#include "host/HostConfig.h"
#include "host/InteractionState.h"
#include "host/ParamCallLog.h"
#include "host/ParamList.h"
#include "host/ParamUiLog.h"
#include "host/SuiteRegistry.h"
#include "host/ThreadPool.h"
#include "host/WorldCopyLog.h"
#include "host/WorldStore.h"
#include "hostapi/HostApi.h"

namespace vmhost {

class HostContext {
public:
    explicit HostContext(const HostConfig& config);
    ~HostContext();
    HostContext(const HostContext&) = delete;
    HostContext& operator=(const HostContext&) = delete;

    // The context an effect_ref stands for, or null when it is not one of ours.
    static HostContext* fromRef(PF_ProgPtr effectRef) {
        auto* context = reinterpret_cast<HostContext*>(effectRef);
        return (context && context->tag_ == kLiveTag) ? context : nullptr;
    }
    PF_ProgPtr ref() { return reinterpret_cast<PF_ProgPtr>(this); }

    HandleStore& handles() { return handles_; }
    SuiteRegistry& suites() { return suites_; }
    InteractionState& interaction() { return interaction_; }
    ParamList& params() { return params_; }
    ParamCallLog& paramCalls() { return paramCalls_; }
    ParamUiLog& paramUi() { return paramUi_; }
    ThreadPool& pool() { return *pool_; }
    WorldStore& worlds() { return worlds_; }
    WorldCopyLog& worldCopies() { return worldCopies_; }
    ActiveFrames& frames() { return frames_; }
    FrameLeakWatch& frameLeaks() { return frameLeaks_; }
    // The effect's calls that may fail, counted and failed in one sequence.
    FailurePoints& failurePoints() { return failurePoints_; }

    SPBasicSuite* basicSuite() { return &basicSuite_; }
    PF_UtilCallbacks* utils() { return &utils_; }
    const PF_InteractCallbacks& interactCallbacks() const { return interact_; }

    // nullopt withdraws "PF AE App Suite".
    void setAppLanguage(std::optional<std::string> tag);
    std::optional<std::string> appLanguage() const;
    // Offers or withdraws "PF Param Utils Suite" of that version (2 or 3).
    void serveParamUtilsSuite(A_long version, bool serve);
    // Offers or withdraws "PF World Suite" of that version (1 or 2).
    void serveWorldSuite(A_long version, bool serve);

    void setMainWindow(void* window);
    void* mainWindow() const;
    void setModule(void* nativeHandle, const std::string& path);
    void* moduleHandle() const;
    std::string modulePath() const;

    // Frames render from a copy of the caller's input image (HostConfig::copyFrameInput).
    bool copiesFrameInput() const { return copyFrameInput_; }

    // Blocks of the basic suite's AllocateBlock not yet freed.
    std::atomic<int>& outstandingBlocks() { return outstandingBlocks_; }

private:
    // Marks live contexts, so that a stray effect_ref is refused rather than used.
    static constexpr std::uint64_t kLiveTag = 0x56784D6978486F73ull;

    std::uint64_t tag_;
    const bool copyFrameInput_;

    mutable std::mutex settingsMutex_;
    std::optional<std::string> appLanguage_;
    void* mainWindow_ = nullptr;
    void* moduleHandle_ = nullptr;
    std::string modulePath_;

    HandleStore handles_;
    SuiteRegistry suites_;
    InteractionState interaction_;
    ParamList params_;
    ParamCallLog paramCalls_;
    ParamUiLog paramUi_;
    WorldStore worlds_;
    WorldCopyLog worldCopies_;
    ActiveFrames frames_;
    FrameLeakWatch frameLeaks_;
    FailurePoints failurePoints_;
    std::atomic<int> outstandingBlocks_{0};

    SPBasicSuite basicSuite_;
    PF_HandleSuite1 handleSuite_;
    PFAppSuite5 appSuite_;
    PF_ParamUtilsSuite1 paramUtilsSuite1_;
    PF_ParamUtilsSuite3 paramUtilsSuite3_;
    PF_WorldSuite1 worldSuite1_;
    PF_WorldSuite2 worldSuite2_;
    PF_WorldTransformSuite1 worldTransformSuite_;
    PF_UtilCallbacks utils_;
    PF_InteractCallbacks interact_;

    // Last, so its threads stop before anything they use goes away.
    std::unique_ptr<ThreadPool> pool_;
};

}  // namespace vmhost
