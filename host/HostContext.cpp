#include "host/HostContext.h"

#include "host/AppSuite.h"
#include "host/BasicSuite.h"
#include "host/HandleSuite.h"
#include "host/InteractCallbacks.h"
#include "host/ParamUtilsSuite.h"
#include "host/ThreadBinding.h"
#include "host/UtilCallbacks.h"
#include "host/WorldSuite.h"
#include "host/WorldTransformSuite.h"

namespace vmhost {

HostContext::HostContext(const HostConfig& config)
    : tag_(kLiveTag),
      copyFrameInput_(config.copyFrameInput),
      mainWindow_(config.mainWindow),
      handles_(config.handleFillByte),
      worlds_(config.worldRowPadding, config.worldFillByte, config.recycledWorlds),
      frameLeaks_(handles_, worlds_),
      basicSuite_(makeBasicSuite()),
      handleSuite_(makeHandleSuite()),
      appSuite_(makeAppSuite()),
      paramUtilsSuite1_(makeParamUtilsSuite1()),
      paramUtilsSuite3_(makeParamUtilsSuite3()),
      worldSuite1_(makeWorldSuite1()),
      worldSuite2_(makeWorldSuite2()),
      worldTransformSuite_(makeWorldTransformSuite()),
      utils_(makeUtilCallbacks()),
      interact_(makeInteractCallbacks()) {
    suites_.add(kSPBasicSuite, kSPBasicSuiteVersion, &basicSuite_);
    suites_.add(kPFHandleSuite, kPFHandleSuiteVersion1, &handleSuite_);
    serveParamUtilsSuite(kPFParamUtilsSuiteVersion1, true);
    serveParamUtilsSuite(kPFParamUtilsSuiteVersion3, true);
    serveWorldSuite(kPFWorldSuiteVersion1, true);
    serveWorldSuite(kPFWorldSuiteVersion2, config.serveWorldSuite2);
    suites_.add(kPFWorldTransformSuite, kPFWorldTransformSuiteVersion1, &worldTransformSuite_);
    setAppLanguage(config.appLanguage);
    pool_ = std::make_unique<ThreadPool>(
        config.workerThreads, [this](int) { ThreadBinding::bindForLifetimeOfThread(this); });
}

HostContext::~HostContext() {
    pool_.reset();
    tag_ = 0;
}

void HostContext::setAppLanguage(std::optional<std::string> tag) {
    {
        std::lock_guard<std::mutex> lock(settingsMutex_);
        appLanguage_ = std::move(tag);
    }
    // Only the layout with the language query is served (version 7).
    if (appLanguage())
        suites_.add(kPFAppSuite, kPFAppSuiteVersion5, &appSuite_);
    else
        suites_.remove(kPFAppSuite, kPFAppSuiteVersion5);
}

std::optional<std::string> HostContext::appLanguage() const {
    std::lock_guard<std::mutex> lock(settingsMutex_);
    return appLanguage_;
}

void HostContext::serveParamUtilsSuite(A_long version, bool serve) {
    const void* table = nullptr;
    if (version == kPFParamUtilsSuiteVersion1) table = &paramUtilsSuite1_;
    if (version == kPFParamUtilsSuiteVersion3) table = &paramUtilsSuite3_;
    if (serve && table)
        suites_.add(kPFParamUtilsSuite, version, table);
    else
        suites_.remove(kPFParamUtilsSuite, version);
}

void HostContext::serveWorldSuite(A_long version, bool serve) {
    const void* table = nullptr;
    if (version == kPFWorldSuiteVersion1) table = &worldSuite1_;
    if (version == kPFWorldSuiteVersion2) table = &worldSuite2_;
    if (serve && table)
        suites_.add(kPFWorldSuite, version, table);
    else
        suites_.remove(kPFWorldSuite, version);
}

void HostContext::setMainWindow(void* window) {
    std::lock_guard<std::mutex> lock(settingsMutex_);
    mainWindow_ = window;
}

void* HostContext::mainWindow() const {
    std::lock_guard<std::mutex> lock(settingsMutex_);
    return mainWindow_;
}

void HostContext::setModule(void* nativeHandle, const std::string& path) {
    std::lock_guard<std::mutex> lock(settingsMutex_);
    moduleHandle_ = nativeHandle;
    modulePath_ = path;
}

void* HostContext::moduleHandle() const {
    std::lock_guard<std::mutex> lock(settingsMutex_);
    return moduleHandle_;
}

std::string HostContext::modulePath() const {
    std::lock_guard<std::mutex> lock(settingsMutex_);
    return modulePath_;
}

}  // namespace vmhost
