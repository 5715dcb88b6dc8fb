#pragma once
// The user-interface language and the fixed texts shown in it.

#include "hostapi/HostApi.h"

enum UILanguage { kLanguageJapanese = 0, kLanguageEnglish = 1 };

enum LocalizedTextId {
    kTextDisplayName = 0,
    kTextVendorNotice = 1,
    kTextOptionsTitle = 2,
    kTextManualAddress = 3,
};

// 0 (Japanese) when the host's language tag is ja_JP, else 1 (English). Without the
// host's App suite, the user's Windows UI language decides.
int getUILanguage(PF_InData* in_data);

// The text in that language, falling back to the other language; "" when there is none.
const char* getLocalizedText(int id, int language);

// The rule of every two-language text table: the language's own text, else the other
// one's, else "" (also for a language that is neither).
const char* chooseLanguageText(const char* japanese, const char* english, int language);
