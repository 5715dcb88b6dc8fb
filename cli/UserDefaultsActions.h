#pragma once
// The options dialog's two actions, without the dialog: store the instance's
// current values as the defaults of new instances, or remove the stored ones.

#include <string>

#include "cli/EffectSession.h"

namespace vmcli {

// Stores the values the session's instance holds now; returns the file.
// Throws RunError when the loaded effect is not the one whose parameters this
// program knows, or the per-user file cannot be written.
std::string storeInstanceDefaults(EffectSession& session);

// Removes the stored defaults; returns what was done, naming the file.
std::string restoreBuiltInDefaultValues();

}  // namespace vmcli
