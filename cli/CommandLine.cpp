#include "cli/CommandLine.h"

#include <algorithm>
#include <exception>

#include "cli/ArgumentParser.h"
#include "cli/CliErrors.h"
#include "cli/CompleteOutputs.h"
#include "cli/EffectSession.h"
#include "cli/FrameJob.h"
#include "cli/ImageFile.h"
#include "cli/ParamListing.h"
#include "cli/PrintableText.h"
#include "cli/ProgressDisplay.h"
#include "cli/RenderLoop.h"
#include "cli/RenderPlan.h"
#include "cli/SettingsFile.h"
#include "cli/StalePartialFiles.h"
#include "cli/UserDefaultsActions.h"
#include "resources/PluginProperties.h"

namespace vmcli {

namespace {

constexpr const char* kProgram = "velumixer-render";

SessionConfig sessionConfig(const Options& options) {
    SessionConfig config;
    config.modulePath = resolveModulePath(options.pluginPath);
    config.languageTag = languageTag(options.language);
    config.workerThreads = options.threads;
    return config;
}

void applySettings(EffectSession& session, const Options& options) {
    applyParamSettings(session.params(), options.settings);
    if (options.saveSettingsPath) writeSettingsFile(session.params(), *options.saveSettingsPath);
}

// The frames of this run: its chunk of the shot, less those already done.
std::vector<FrameTask> framesToRender(const Options& options, Console& console) {
    std::vector<FrameTask> tasks = planFrames(options);
    if (options.chunk) {
        const std::size_t shotFrames = tasks.size();
        tasks = chunkOf(tasks, *options.chunk);
        if (tasks.empty())
            console.err << kProgram << ": chunk " << options.chunk->index << "/" << options.chunk->count << " of "
                        << shotFrames << " frame(s) is empty; nothing to render\n";
    }
    if (options.skipExisting && !tasks.empty()) {
        const std::size_t before = tasks.size();
        tasks = framesStillToRender(tasks);
        if (tasks.size() < before)
            console.err << kProgram << ": skipping " << before - tasks.size() << " of " << before
                        << " frame(s) whose output is complete\n";
    }
    return tasks;
}

int render(const Options& options, Console& console, const CancelFlag& cancel) {
    const std::vector<FrameTask> tasks = framesToRender(options, console);
    const int framesAtOnce = std::max(1, std::min<int>(options.jobs, static_cast<int>(tasks.size())));
    SessionConfig config = sessionConfig(options);
    config.framesAtOnce = framesAtOnce;
    EffectSession session(config);
    session.setUpInstance();
    applySettings(session, options);
    if (tasks.empty()) return kExitOk;
    checkFrameFiles(tasks);
    removeStalePartialFiles(tasks);

    shareFileThreads(framesAtOnce);
    ProgressDisplay progress(console.err, options.progress.value_or(defaultProgressStyle(console.errIsTerminal)),
                             static_cast<int>(tasks.size()));
    RenderSettings settings;
    settings.depth = options.depth;
    settings.downsampleX = options.downsampleX;
    settings.downsampleY = options.downsampleY;
    settings.legacyRender = options.legacyRender;
    settings.fileThreads = fileThreadsPerFrame(framesAtOnce);
    settings.maxPixels = options.maxPixels;
    settings.warn = [&progress](const std::string& text) { progress.warn(text); };
    const LoopResult result = renderFrames(
        tasks, options.jobs, [&](const FrameTask& task) { return renderFrameTask(session, task, settings, cancel); },
        progress, cancel, [&] { session.cancelRendering(); });
    progress.finish();

    if (result.cancelled) {
        console.err << kProgram << ": cancelled; " << result.written << " of " << tasks.size()
                    << " frame(s) written, no partial files left\n";
        return kExitCancelled;
    }
    if (!result.errors.empty()) {
        for (const std::string& error : result.errors) console.err << kProgram << ": " << printableText(error) << "\n";
        if (tasks.size() > 1)
            console.err << kProgram << ": " << result.written << " of " << tasks.size() << " frame(s) written, "
                        << result.errors.size() << " failed\n";
        return kExitFailed;
    }
    return kExitOk;
}

int run(const Options& options, Console& console, const CancelFlag& cancel) {
    switch (options.action) {
        case Action::Help:
            console.out << usageText();
            return kExitOk;
        case Action::Version:
            console.out << kProgram << " " << plugin::kVersionText << " (build " << plugin::kBuild << ")\n";
            return kExitOk;
        case Action::RestoreDefaults:
            console.out << restoreBuiltInDefaultValues() << "\n";
            return kExitOk;
        case Action::About: {
            EffectSession session(sessionConfig(options));
            console.out << session.about() << "\n";
            return kExitOk;
        }
        case Action::ListParams: {
            EffectSession session(sessionConfig(options));
            session.setUpInstance();
            console.out << describeParams(session.params());
            return kExitOk;
        }
        case Action::SaveSettings: {
            EffectSession session(sessionConfig(options));
            session.setUpInstance();
            applySettings(session, options);
            console.out << "saved every parameter's value in " << *options.saveSettingsPath << "\n";
            return kExitOk;
        }
        case Action::StoreDefaults: {
            EffectSession session(sessionConfig(options));
            session.setUpInstance();
            applySettings(session, options);
            // Stored first: a failure prints no part of the success line.
            const std::string file = storeInstanceDefaults(session);
            console.out << "stored the defaults for new instances in " << file << "\n";
            return kExitOk;
        }
        case Action::Render:
            break;
    }
    return render(options, console, cancel);
}

}  // namespace

int runCommandLine(const std::vector<std::string>& args, Console& console, const CancelFlag& cancel) {
    try {
        return run(parseArguments(args), console, cancel);
    } catch (const UsageError& e) {
        console.err << kProgram << ": " << printableText(e.what()) << "\n";
        return kExitUsage;
    } catch (const std::exception& e) {
        console.err << kProgram << ": " << printableText(e.what()) << "\n";
        return kExitFailed;
    }
}

}  // namespace vmcli
