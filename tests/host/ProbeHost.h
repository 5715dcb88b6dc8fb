#pragma once
// A host with the probe effect loaded, for the tests that drive the probe.

#include <memory>

#include "ProbeProtocol.h"
#include "host/Host.h"
#include "host/ModulePath.h"

namespace probe {

inline std::unique_ptr<vmhost::Host> loadedHost(vmhost::HostConfig config = {}) {
    auto host = std::make_unique<vmhost::Host>(config);
    host->loadEffect(vmhost::pathBesideExecutable(PROBE_MODULE_FILE));
    return host;
}

}  // namespace probe
