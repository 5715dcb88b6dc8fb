#pragma once

#include "hostapi/HostApi.h"

namespace FxOptionDlg {

// The effect's Options dialog; returns what the dialog did (the host is not told).
int showOptionsDialog(PF_InData* in_data, PF_ParamDef* params[]);

}  // namespace FxOptionDlg
