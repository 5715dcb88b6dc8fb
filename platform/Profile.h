#pragma once
// Per-user settings files ("private profiles") and the folder work around them.
// Windows builds call Win32; other builds use stand-ins that read and write the
// same bytes and follow the same rules, so the effect behaves alike on both.

#include <cstddef>
#include <string>

namespace platform {

#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

// The user's roaming application-data folder, without a trailing separator; the
// folder is not created. Empty when it cannot be determined. Outside Windows this is
// $XDG_CONFIG_HOME, or $HOME/.config when that is unset, empty or relative.
std::string applicationDataFolder();

// The integer stored under [section] key in the file at path, read the way
// GetPrivateProfileIntA reads it: optional sign, decimal or 0x/0o/0b digits up to
// the first other character, wrapping modulo 2^32; no digits give 0. A missing
// file, section or key, or an empty value, gives fallback.
unsigned getProfileInt(const char* section, const char* key, int fallback, const char* path);

// Copies the text stored under [section] key (blanks and one pair of enclosing
// quotes removed), or fallback when there is none (nullptr means ""), into buffer,
// truncated to size - 1 characters and terminated. Returns the characters copied.
// Section and key must be named.
std::size_t getProfileString(const char* section, const char* key, const char* fallback,
                             char* buffer, std::size_t size, const char* path);

// Stores value under [section] key: an existing key (first match, any case) is
// rewritten in place, a new one goes at the end of its section, a new section at the
// end of the file, and a missing file is created (its folder must exist). Every
// other line is kept. False when the file could not be read or written.
bool writeProfileString(const char* section, const char* key, const char* value, const char* path);

// Creates the folder and any missing parents; path must be absolute. True when the
// folder exists afterwards, also when it was already there.
bool createDirectoryChain(const std::string& path);

// Strips the last component and its separator; a root stays a root, a bare name
// becomes empty.
void removeFileSpec(std::string& path);

// Deletes a file (never a folder). False when nothing was deleted.
bool deleteFile(const std::string& path);

// Removes an empty folder. False when it is missing, not a folder or not empty.
bool removeDirectory(const std::string& path);

}  // namespace platform
