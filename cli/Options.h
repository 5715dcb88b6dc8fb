#pragma once
// Everything the command line asked for, checked for form but not yet
// against the effect or the file system.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/ImageLimits.h"
#include "cli/FrameChunks.h"
#include "cli/ParamSetting.h"
#include "cli/ProgressFormat.h"

namespace vmcli {

enum class Action {
    Render,
    ListParams,
    About,
    StoreDefaults,
    RestoreDefaults,
    SaveSettings,  // --save-settings without INPUT and OUTPUT
    Help,
    Version,
};

enum class Language { English, Japanese };

struct Options {
    Action action = Action::Render;
    std::string input;
    std::string output;
    std::optional<std::string> pluginPath;  // default: the module beside the program
    std::vector<ParamSetting> settings;     // --set and --settings lines in the order given; a later one wins
    std::optional<std::string> saveSettingsPath;
    std::optional<int> depth;               // 8, 16 or 32; default: each input file's
    int downsampleX = 1;
    int downsampleY = 1;
    bool legacyRender = false;
    std::optional<int> threads;             // workers of iterate_generic
    Language language = Language::English;
    std::optional<std::vector<int>> frames;
    int jobs = 1;
    std::uint64_t maxPixels = kDefaultMaxPixels;  // larger input frames are refused
    std::optional<FrameChunk> chunk;        // render only this share of the frames
    bool skipExisting = false;              // leave out frames whose output is complete
    std::optional<ProgressStyle> progress;  // default: by whether the console is a terminal
};

// The language tag the host's App suite answers: "en_US" or "ja_JP".
const char* languageTag(Language language);

}  // namespace vmcli
