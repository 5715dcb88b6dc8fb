#include "cli/ArgumentParser.h"

#include <optional>

#include "cli/CliErrors.h"
#include "cli/FrameChunks.h"
#include "cli/FrameList.h"
#include "cli/NumberText.h"
#include "cli/SettingsFile.h"

namespace vmcli {

namespace {

constexpr int kMaxDownsample = 1000;
constexpr int kMaxThreads = 256;

int positiveInteger(const std::string& option, const std::string& text, int max) {
    const auto value = parseInteger(text);
    if (!value || *value < 1 || *value > max)
        throw UsageError(option + " takes a whole number from 1 to " + std::to_string(max) + ", not \"" + text + "\"");
    return static_cast<int>(*value);
}

void parseDownsample(const std::string& text, Options& options) {
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos) {
        options.downsampleX = options.downsampleY = positiveInteger("--downsample", text, kMaxDownsample);
        return;
    }
    options.downsampleX = positiveInteger("--downsample", text.substr(0, comma), kMaxDownsample);
    options.downsampleY = positiveInteger("--downsample", text.substr(comma + 1), kMaxDownsample);
}

class ArgumentReader {
public:
    explicit ArgumentReader(const std::vector<std::string>& args) : args_(args) {}

    Options read() {
        std::vector<std::string> positional;
        bool optionsEnded = false;
        while (next_ < args_.size()) {
            const std::string arg = args_[next_++];
            if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
                positional.push_back(arg);
            } else if (arg == "--") {
                optionsEnded = true;
            } else {
                readOption(arg);
            }
        }
        placePositional(positional);
        return options_;
    }

private:
    void readOption(const std::string& arg) {
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        inlineValue_ = equals == std::string::npos ? std::nullopt : std::optional<std::string>(arg.substr(equals + 1));

        if (name == "-h" || name == "--help") return setAction(name, Action::Help);
        if (name == "--version") return setAction(name, Action::Version);
        if (name == "--list-params") return setAction(name, Action::ListParams);
        if (name == "--about") return setAction(name, Action::About);
        if (name == "--store-defaults") return setAction(name, Action::StoreDefaults);
        if (name == "--restore-defaults") return setAction(name, Action::RestoreDefaults);
        if (name == "--legacy-render") {
            noValue(name);
            options_.legacyRender = true;
            return;
        }
        if (name == "--skip-existing") {
            noValue(name);
            options_.skipExisting = true;
            return;
        }
        if (name == "--plugin") {
            options_.pluginPath = value(name);
        } else if (name == "--set") {
            options_.settings.push_back(parseParamSetting(value(name)));
        } else if (name == "--depth") {
            const std::string text = value(name);
            if (text != "8" && text != "16" && text != "32")
                throw UsageError("--depth takes 8, 16 or 32, not \"" + text + "\"");
            options_.depth = std::stoi(text);
        } else if (name == "--downsample") {
            parseDownsample(value(name), options_);
        } else if (name == "--threads") {
            options_.threads = positiveInteger(name, value(name), kMaxThreads);
        } else if (name == "--jobs") {
            options_.jobs = positiveInteger(name, value(name), kMaxThreads);
        } else if (name == "--language") {
            const std::string text = value(name);
            if (text == "en")
                options_.language = Language::English;
            else if (text == "ja")
                options_.language = Language::Japanese;
            else
                throw UsageError("--language takes ja or en, not \"" + text + "\"");
        } else if (name == "--max-pixels") {
            const std::string text = value(name);
            const auto pixels = parseInteger(text);
            if (!pixels || *pixels < 1)
                throw UsageError("--max-pixels takes a whole number of pixels from 1 on, not \"" + text + "\"");
            options_.maxPixels = static_cast<std::uint64_t>(*pixels);
        } else if (name == "--frames") {
            options_.frames = parseFrameList(value(name));
        } else if (name == "--chunk") {
            options_.chunk = parseFrameChunk(value(name));
        } else if (name == "--settings") {
            // Read here, so the file's lines take their place among the --set values.
            for (ParamSetting& setting : readSettingsFile(value(name))) options_.settings.push_back(std::move(setting));
        } else if (name == "--save-settings") {
            options_.saveSettingsPath = value(name);
        } else if (name == "--progress") {
            options_.progress = parseProgressStyle(value(name));
        } else {
            throw UsageError("unknown option " + name + " (see --help)");
        }
    }

    std::string value(const std::string& name) {
        if (inlineValue_) return *inlineValue_;
        if (next_ >= args_.size()) throw UsageError(name + " needs a value");
        return args_[next_++];
    }

    void noValue(const std::string& name) const {
        if (inlineValue_) throw UsageError(name + " takes no value");
    }

    void setAction(const std::string& name, Action action) {
        noValue(name);
        if (options_.action != Action::Render && options_.action != action)
            throw UsageError(name + " cannot be combined with " + actionOption_);
        options_.action = action;
        actionOption_ = name;
    }

    void placePositional(const std::vector<std::string>& positional) {
        if (options_.action == Action::Help || options_.action == Action::Version) return;
        if (options_.saveSettingsPath && options_.action != Action::Render)
            throw UsageError("--save-settings cannot be combined with " + actionOption_);
        if (options_.saveSettingsPath && positional.empty()) {
            options_.action = Action::SaveSettings;
            return;
        }
        if (options_.action != Action::Render) {
            if (!positional.empty()) throw UsageError(actionOption_ + " takes no INPUT or OUTPUT");
            if (options_.action == Action::RestoreDefaults && !options_.settings.empty())
                throw UsageError("--restore-defaults brings back the built-in defaults and takes no --set");
            return;
        }
        if (positional.size() != 2)
            throw UsageError(positional.size() < 2 ? "INPUT and OUTPUT are needed (see --help)"
                                                   : "more than INPUT and OUTPUT given: \"" + positional[2] + "\"");
        options_.input = positional[0];
        options_.output = positional[1];
    }

    const std::vector<std::string>& args_;
    std::size_t next_ = 0;
    std::optional<std::string> inlineValue_;
    std::string actionOption_;
    Options options_;
};

}  // namespace

const char* languageTag(Language language) {
    return language == Language::Japanese ? "ja_JP" : "en_US";
}

Options parseArguments(const std::vector<std::string>& args) {
    return ArgumentReader(args).read();
}

std::string usageText() {
    return R"(Usage: velumixer-render [options] INPUT OUTPUT
  or:  velumixer-render --list-params | --about | --store-defaults | --restore-defaults [options]
  or:  velumixer-render --save-settings FILE [--settings FILE] [--set "NAME=VALUE"]...
  or:  velumixer-render --version | --help

Renders INPUT through the Velumixer effect and writes OUTPUT (PNG, TIFF, OpenEXR
and the other formats OpenImageIO knows). Alpha is straight in and out; inputs
without alpha are opaque.

Effect and parameters:
  --plugin PATH          effect module to load (default: the one beside this program,
                         else ../lib/velumixer/Velumixer.so from this program's folder)
  --set "NAME=VALUE"     set a parameter by its display name; repeatable:
                         numbers, popup item text or number, on/off/1/0, #RRGGBB
  --settings FILE        read NAME=VALUE lines as --set does ("#" starts a comment
                         line); a later --set wins
  --save-settings FILE   write every parameter's value in that form; renders too
                         when INPUT and OUTPUT are given
  --list-params          print every parameter with type, range and default
  --about                print the effect's about text
  --store-defaults       store the --set values as the defaults of new instances
  --restore-defaults     remove the stored defaults (built-in defaults apply again)
  --language ja|en       the host's language (default: en)

Rendering:
  --depth 8|16|32        render depth (default: each input file's)
  --downsample N|NX,NY   render at 1/N resolution, as the host does for previews
  --legacy-render        use PF_Cmd_RENDER instead of SmartFX
  --threads N            worker threads inside a frame (iterate_generic)
  --max-pixels N         refuse input frames of more pixels (default: 16384 x 16384)

Sequences (INPUT and OUTPUT may hold a frame field such as shot_%04d.png):
  --frames LIST          frames to render: 1-240, 1-240x2, 7,9,12 or a mix
  --jobs N               frames rendered at once (default: 1)
  --chunk K/N            render only the K-th of N nearly equal, contiguous
                         chunks of the frames (farm tasks: 1/4 ... 4/4)
  --skip-existing        leave out frames whose output is already a complete image
                         (a retry renders only what is missing)
  --progress STYLE       bar, lines (one per frame: number, file, seconds),
                         openjd (openjd_progress/openjd_status lines) or none;
                         default: bar on a terminal, lines otherwise

Other:
  --version              print the renderer's version and build number
  -h, --help             print this text

Exit codes: 0 done, 1 a frame failed (the other frames are finished), 2 bad
arguments or parameter values (nothing written), 130 cancelled with Ctrl-C,
SIGHUP or SIGQUIT, 143 stopped with SIGTERM; no partial files are left behind.
)";
}

}  // namespace vmcli
