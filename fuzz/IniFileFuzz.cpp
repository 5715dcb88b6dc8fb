// The INI stand-in: any file text parses, serialises stably and reads back what was
// set; the profile functions read any file; and new instances set up from any stored
// file offer every parameter within its valid range.
#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>

#include "fuzz/FuzzHost.h"
#include "fuzz/FuzzInput.h"
#include "platform/IniFile.h"
#include "platform/Profile.h"
#include "platform/ProfileText.h"

namespace {

using vmfuzz::fuzzFault;

void checkParser(const std::string& text, const std::string& section, const std::string& key,
                 const std::string& value) {
    platform::IniFile file = platform::IniFile::parse(text);
    const std::string once = file.serialize();
    if (platform::IniFile::parse(once).serialize() != once) fuzzFault("serialising is not stable");
    (void)file.value(section, key);

    // A value without line breaks that set() stores reads back, blanks trimmed. Names
    // with brackets, '=' or line breaks cannot be told apart from other lines.
    const bool plainName = [](const std::string& name) {
        return name.find_first_of("[]=\r\n") == std::string::npos && !platform::trimBlanks(name).empty();
    }(section) && key.find_first_of("[]=\r\n") == std::string::npos && !platform::trimBlanks(key).empty() &&
                           key.front() != ';';
    if (plainName && value.find_first_of("\r\n") == std::string::npos) {
        file.set(section, key, value);
        const platform::IniFile reread = platform::IniFile::parse(file.serialize());
        const auto back = reread.value(section, key);
        if (!back || *back != platform::trimBlanks(value)) fuzzFault("a value set does not read back");
    }
    (void)platform::parseProfileInteger(value);
    (void)platform::stripEnclosingQuotes(value);
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Parameter setup from the stored file: every value the effect offers is in range.
void checkParamSetup(const std::string& text) {
    vmhost::Host& host = vmfuzz::fuzzHost();
    const std::string& path = vmfuzz::storedDefaultsPath();
    writeFile(path, text);
    char buffer[64];
    (void)platform::getProfileString("Version=1.0", "G", "x", buffer, sizeof buffer, path.c_str());
    (void)platform::getProfileInt("Version=1.0", "Blur Type", 7, path.c_str());

    const int baseline = host.handles().outstanding();
    if (host.send(PF_Cmd_PARAMS_SETUP) != PF_Err_NONE) fuzzFault("parameter setup failed on a stored file");
    for (int index = 1; index < host.params().count(); ++index) {
        const PF_ParamDef& def = host.params().at(index);
        switch (def.param_type) {
            case PF_Param_FLOAT_SLIDER:
                if (!std::isfinite(def.u.fs_d.value) || def.u.fs_d.value < def.u.fs_d.valid_min ||
                    def.u.fs_d.value > def.u.fs_d.valid_max)
                    fuzzFault("a float slider offered out of range");
                break;
            case PF_Param_SLIDER:
                if (def.u.sd.value < def.u.sd.valid_min || def.u.sd.value > def.u.sd.valid_max)
                    fuzzFault("a slider offered out of range");
                break;
            case PF_Param_POPUP:
                if (def.u.pd.value < 1 || def.u.pd.value > def.u.pd.num_choices) fuzzFault("a popup item that is not");
                break;
            // A checkbox takes the stored number's low byte: any value other than 0 is on.
            default: break;
        }
    }
    vmfuzz::expectNothingHeld(host, baseline);
    std::remove(path.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vmfuzz::FuzzInput input(data, size);
    const std::string section = input.takeString();
    const std::string key = input.takeString();
    const std::string value = input.takeString();
    const auto rest = input.takeRest();
    const std::string text(rest.begin(), rest.end());
    checkParser(text, section, key, value);
    checkParamSetup(text);
    return 0;
}
