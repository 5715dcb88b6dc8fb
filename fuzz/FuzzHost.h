#pragma once
// One embedded host with the effect linked into the fuzz target (not loaded from a
// module, so the fuzzer sees the effect's coverage), set up as a new instance once per
// process: every input reuses it, as a host reuses an instance frame after frame.

#include <string>

#include "host/Host.h"

namespace vmfuzz {

// Global setup, parameter setup and sequence setup done; the parameters hold their
// built-in defaults (the per-user store is a fresh folder of this process's own).
vmhost::Host& fuzzHost();

// Where the effect reads the user's stored defaults from; its folder exists.
const std::string& storedDefaultsPath();

// Everything the effect holds between commands is back with the host; traps otherwise.
void expectNothingHeld(vmhost::Host& host, int baselineHandles);

}  // namespace vmfuzz
