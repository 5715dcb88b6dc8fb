#pragma once
// The texts of the Options dialog, in Japanese (code page 932 bytes, shown through the
// ANSI window functions) and English.

namespace FxOptionDlg {

enum DialogTextNumber {
    kDialogTextSettingsGroup = 0,
    kDialogTextStoreDefaults = 1,
    kDialogTextRestoreDefaults = 2,
    kDialogTextManualLink = 4,
};

// The text in language 0 (Japanese) or 1 (English), falling back to the other language;
// "" for an unknown number or language.
const char* dialogText(int number, int language);

}  // namespace FxOptionDlg
