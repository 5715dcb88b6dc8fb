#pragma once
// The user's own parameter defaults, kept in a per-user INI file: read when the host sets
// up the parameters of a new instance, written or removed from the Options dialog.

#include "hostapi/HostApi.h"

#include <cstddef>
#include <cstdint>

class BaseParam;

constexpr std::size_t kIniPathSize = 260;
constexpr const char kIniSectionName[] = "Version=1.0";

// False only for After Effects older than effect API 12.12, which never sees the store.
bool userDefaultsSupported(const PF_InData* in_data);

// The INI file's full path into path[260]. Returns false, leaving "" behind, when the
// application-data folder is unknown or the full path would not fit.
bool getIniPath(char* path);

// For parameter setup: the path to read defaults from (and iniSection set), or null
// (and iniSection emptied) when this host does not use the store or it is unavailable.
const char* prepareIniForSetup(const PF_InData* in_data, char* pathBuffer);

// The stored value, or the fallback when the path is null or the key is missing.
std::int32_t readIniInt(const BaseParam& param, const char* iniPath, std::int32_t fallback);
PF_Pixel readIniColor(const BaseParam& param, const char* iniPath, PF_Pixel fallback);
double readIniFloat(const BaseParam& param, const char* iniPath, float fallback);

// Nothing happens without a path.
void writeIniInt(const BaseParam& param, const char* iniPath, std::int32_t value);
void writeIniColor(const BaseParam& param, const char* iniPath, PF_Pixel value);
void writeIniFloat(const BaseParam& param, const char* iniPath, double value);

// The value add() offers the host: the stored one when this host uses the store and a
// path is given, else the built-in default.
std::int32_t offeredInt(const PF_InData* in_data, const BaseParam& param, const char* iniPath, std::int32_t builtIn);
PF_Pixel offeredColor(const PF_InData* in_data, const BaseParam& param, const char* iniPath, PF_Pixel builtIn);
double offeredFloat(const PF_InData* in_data, const BaseParam& param, const char* iniPath, float builtIn);

// Stores the current values of the command's params array as the user's defaults.
void storeUserDefaults(PF_InData* in_data, PF_ParamDef* params[]);
// Deletes the INI file and the folders it leaves empty; the built-in defaults apply again.
void restoreBuiltInDefaults();
