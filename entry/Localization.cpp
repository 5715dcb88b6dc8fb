#include "entry/Localization.h"

#include "AEUtil/SuiteHolder.h"
#include "platform/Platform.h"
#include "resources/PluginProperties.h"

#include <cctype>

namespace {

struct LocalizedText {
    int id;
    const char* japanese;  // code page 932; may be null
    const char* english;   // may be null
};

// Only Japanese texts exist, so both languages show them.
const LocalizedText localizedTexts[] = {
    {kTextDisplayName, "Velumixer", nullptr},
    {kTextVendorNotice, plugin::kCopyrightNotice, nullptr},
    {kTextOptionsTitle, "Velumixer", nullptr},
    {kTextManualAddress, "https://example.com/trelm/velumixer/manual/", nullptr},
};

constexpr int kAppSuiteVersion = kPFAppSuiteVersion5;  // the layout with the language query
constexpr std::uint16_t kJapaneseLangId = 0x0411;

bool equalsIgnoringCase(const char* text, const char* expected, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != std::tolower(static_cast<unsigned char>(expected[i]))) {
            return false;
        }
        if (expected[i] == '\0') return true;
    }
    return true;
}

}  // namespace

int getUILanguage(PF_InData* in_data) {
    AEUtil::SuiteHolder app(in_data->pica_basicP, kPFAppSuite, kAppSuiteVersion);
    if (const auto* suite = app.as<PFAppSuite5>()) {
        char tag[PF_APP_LANG_TAG_SIZE] = {};
        // A failed query leaves the tag empty, which reads as English.
        suite->PF_AppGetLanguage(tag);
        return equalsIgnoringCase(tag, "ja_JP", sizeof tag) ? kLanguageJapanese : kLanguageEnglish;
    }
    return platform::userDefaultUILanguage() == kJapaneseLangId ? kLanguageJapanese : kLanguageEnglish;
}

const char* getLocalizedText(int id, int language) {
    for (const LocalizedText& entry : localizedTexts) {
        if (entry.id == id) return chooseLanguageText(entry.japanese, entry.english, language);
    }
    return "";
}

const char* chooseLanguageText(const char* japanese, const char* english, int language) {
    const char* preferred = nullptr;
    const char* fallback = nullptr;
    if (language == kLanguageJapanese) {
        preferred = japanese;
        fallback = english;
    } else if (language == kLanguageEnglish) {
        preferred = english;
        fallback = japanese;
    }
    if (preferred != nullptr) return preferred;
    return fallback != nullptr ? fallback : "";
}
