#pragma once
// A host with the probe effect loaded, for the tests that drive the probe.

#include <memory>
#include <stdexcept>
#include <string>

#include "ProbeProtocol.h"
#include "host/Host.h"
#include "host/ModulePath.h"

namespace probe {

inline std::unique_ptr<vmhost::Host> loadedHost(vmhost::HostConfig config = vmhost::HostConfig::checking()) {
    auto host = std::make_unique<vmhost::Host>(config);
    host->loadEffect(vmhost::pathBesideExecutable(PROBE_MODULE_FILE));
    return host;
}

// A probe host past global and parameter setup, ready to render.
inline std::unique_ptr<vmhost::Host> setUpHost(vmhost::HostConfig config = vmhost::HostConfig::checking()) {
    auto host = loadedHost(config);
    for (PF_Cmd cmd : {PF_Cmd_GLOBAL_SETUP, PF_Cmd_PARAMS_SETUP})
        if (const PF_Err err = host->send(cmd)) throw std::runtime_error("probe setup failed: " + std::to_string(err));
    return host;
}

}  // namespace probe
