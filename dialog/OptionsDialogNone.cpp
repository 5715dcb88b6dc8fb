#include "dialog/OptionsDialog.h"

namespace FxOptionDlg {

// Builds without a window system have no dialog; the command-line renderer offers the
// two actions as options instead.
int showOptionsDialog(PF_InData*, PF_ParamDef*[]) {
    return 0;
}

}  // namespace FxOptionDlg
