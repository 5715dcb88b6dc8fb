#include "cli/ModuleLocation.h"

#include <filesystem>
#include <system_error>

#include "host/ModulePath.h"

namespace vmcli {

std::string defaultModulePath() {
    const std::string beside = vmhost::defaultModulePath();
    std::error_code error;
    if (std::filesystem::exists(beside, error)) return beside;

    // Set by the build from the install destinations of the program and the module.
    const std::filesystem::path installed = std::filesystem::path(vmhost::parentFolder(vmhost::executablePath())) /
                                            VELUMIXER_MODULE_DIR_FROM_PROGRAM / vmhost::defaultModuleFileName();
    if (std::filesystem::exists(installed, error)) return installed.lexically_normal().string();
    return beside;
}

}  // namespace vmcli
