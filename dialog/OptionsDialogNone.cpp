#include "dialog/OptionsDialog.h"

namespace FxOptionDlg {

int showOptionsDialog(PF_InData*, PF_ParamDef*[]) {
    return 0;
}

}  // namespace FxOptionDlg
