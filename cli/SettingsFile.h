#pragma once
// Settings files: parameter values as NAME=VALUE lines, the form --set takes,
// so a farm job can carry its exact look in one file. Lines starting with "#"
// are comments; blank lines are skipped.

#include <string>
#include <vector>

#include "cli/ParamSetting.h"
#include "host/ParamList.h"

namespace vmcli {

// The settings in `text`, each with its origin "FILE line N". Throws
// UsageError naming the line for a line that is not NAME=VALUE.
std::vector<ParamSetting> parseSettingsText(const std::string& text, const std::string& fileName);
// As parseSettingsText on the file's contents; a file that cannot be read is a UsageError too.
std::vector<ParamSetting> readSettingsFile(const std::string& path);

// Applies the settings in order; a bad value from a file is reported with its line.
void applyParamSettings(vmhost::ParamList& params, const std::vector<ParamSetting>& settings);

// Every parameter that holds a value, one NAME=VALUE line each, in the effect's
// order and in a form applyParamSetting reads back to the same value.
std::string settingsText(const vmhost::ParamList& params);
// Writes settingsText to `path`, complete or not at all. Throws RunError.
void writeSettingsFile(const vmhost::ParamList& params, const std::string& path);

}  // namespace vmcli
