#include "dialog/DialogTexts.h"

#include "entry/Localization.h"

namespace FxOptionDlg {

namespace {

struct DialogText {
    int number;
    const char* japanese;  // code page 932
    const char* english;
};

const DialogText dialogTexts[] = {
    {kDialogTextSettingsGroup,
     "\x90\xDD\x92\xE8 \x81i\x8E\x9F\x89\xF1\x8BN\x93\xAE\x82\xA9\x82\xE7\x97L\x8C\xF8\x82\xC9\x82\xC8\x82\xE8\x82\xDC\x82\xB7\x81j",  // 設定 （次回起動から有効になります）
     "Settings (Valid from next start-up)"},
    {kDialogTextStoreDefaults,
     "\x8C\xBB\x8D\xDD\x82\xCC\x83p\x83\x89\x83\x81\x81[\x83^\x90\xDD\x92\xE8\x82\xF0\x83" "f\x83t\x83H\x83\x8B\x83g\x92l\x82\xC6\x82\xB5\x82\xC4\x8BL\x89\xAF\x82\xB7\x82\xE9",  // 現在のパラメータ設定をデフォルト値として記憶する
     "Set current parameter values to default"},
    {kDialogTextRestoreDefaults,
     "\x83p\x83\x89\x83\x81\x81[\x83^\x82\xCC\x83" "f\x83t\x83H\x83\x8B\x83g\x92l\x90\xDD\x92\xE8\x82\xF0\x8F\x89\x8A\xFA\x8F\xF3\x91\xD4\x82\xC9\x95\x9C\x8B" "A\x82\xB7\x82\xE9",  // パラメータのデフォルト値設定を初期状態に復帰する
     "Restore initial default parameter values"},
    {kDialogTextManualLink,
     "<a>\x83I\x83\x93\x83\x89\x83" "C\x83\x93\x83}\x83j\x83\x85\x83" "A\x83\x8B</a>",  // <a>オンラインマニュアル</a>
     "<a>Online Manual</a>"},
};

}  // namespace

const char* dialogText(int number, int language) {
    for (const DialogText& entry : dialogTexts) {
        if (entry.number == number) return chooseLanguageText(entry.japanese, entry.english, language);
    }
    return "";
}

}  // namespace FxOptionDlg
