#pragma once
// Where the effect module is expected: beside the running program.

#include <string>

namespace vmhost {

// Absolute path of the running executable (UTF-8). Under Wine this is a
// drive-letter path such as Z:\tmp\build\bin\program.exe.
std::string executablePath();

// The folder part of a path, without the trailing separator.
std::string parentFolder(const std::string& path);

// File name of the effect module on this platform: Velumixer.aex or Velumixer.so.
const char* defaultModuleFileName();

// A file in the running executable's folder.
std::string pathBesideExecutable(const std::string& fileName);

// The effect module beside the running executable.
std::string defaultModulePath();

}  // namespace vmhost
