#pragma once

#include "hostapi/HostApi.h"

namespace FxOptionDlg {

// The dialog command: shows the Options dialog over the host's main window and, after it
// has closed, stores the current values as the user's defaults (1) or restores the
// built-in defaults (2). Returns what the dialog did, 0 for nothing; the host is not told.
int showOptionsDialog(PF_InData* in_data, PF_ParamDef* params[]);

}  // namespace FxOptionDlg
