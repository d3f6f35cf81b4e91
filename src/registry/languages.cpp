#include "registry/registry.h"
#include "registry/registry_map.h"
#include "setup/setup.h"

namespace {

// Office writes the text form as "%d\Normal"; only the first five characters
// are looked at, as Office's own readers do.
enum { LANGUAGE_TEXT_CHARS = 5, LANGUAGE_TEXT_READ_SIZE = 256 };

// Where each application keeps its language, in the order in which the
// settings are read and written.  The per-user key, where there is one, is
// read after the new-user one so that it wins.  Keys are below KEY_OFFICE.
struct LanguageSetting {
    const int* Installed;
    int* Current;
    const int* Previous;
    const char* SavedName;
    const char* NewUserKey;        // HKLM
    const char* UserKey;           // HKCU, or NULL
    const char* UserKeyReadBelow;  // KEY_OFFICE as spelled when the user key is read
    const char* ValueName;
    bool TextForm;  // "%d\Normal" rather than a REG_DWORD
};

const LanguageSetting SETTINGS[] = {
    {&SetupState.WordInstalled, &SetupState.WordLang, &SetupState.PrevWordLang, VAL_OLD_LANG_WORD,
     KEY_WORD_LANGUAGE, NULL, NULL, VAL_LANGUAGE_ID, false},
    {&SetupState.AccessInstalled, &SetupState.AccessLang, &SetupState.PrevAccessLang,
     VAL_OLD_LANG_ACCESS, KEY_ACCESS_LANGUAGE, NULL, NULL, VAL_LANGUAGE_ID, false},
    {&SetupState.PowerPointInstalled, &SetupState.PowerPointLang, &SetupState.PrevPowerPointLang,
     VAL_OLD_LANG_POWERPOINT, KEY_POWERPOINT_NEW_USER, KEY_POWERPOINT_USER,
     KEY_OFFICE_POWERPOINT_READ, VAL_POWERPOINT_LANGUAGE_ID, false},
    {&SetupState.ExcelInstalled, &SetupState.ExcelLang, &SetupState.PrevExcelLang,
     VAL_OLD_LANG_EXCEL, KEY_EXCEL_NEW_USER, KEY_EXCEL_USER, KEY_OFFICE, VAL_SPELLER, true},
    {&SetupState.OutlookInstalled, &SetupState.OutlookLang, &SetupState.PrevOutlookLang,
     VAL_OLD_LANG_OUTLOOK, KEY_OUTLOOK_NEW_USER, KEY_OUTLOOK_USER, KEY_OFFICE, VAL_SPELLER, true},
};

// A read that fails, and a text that yields no language, leave it as it was.
// The key is below office, as spelled for this read.
void ReadLanguage(const LanguageSetting& setting, HKEY root, const char* office, const char* key)
{
    char keyPath[KEY_PATH_SIZE];
    wsprintfA(keyPath, FORMAT_OFFICE_KEY, office, key);
    if (!setting.TextForm) {
        RegReadDword(root, keyPath, setting.ValueName, setting.Current);
        return;
    }
    char text[LANGUAGE_TEXT_READ_SIZE];
    if (RegReadString(root, keyPath, setting.ValueName, text, sizeof text) != 0)
        return;
    int parsed = ParseLanguageText(text);
    if (parsed != 0)
        *setting.Current = parsed;
}

// Returns -1 when the write failed.
int WriteLanguage(const LanguageSetting& setting, HKEY root, const char* key)
{
    char keyPath[KEY_PATH_SIZE];
    wsprintfA(keyPath, FORMAT_OFFICE_KEY, KEY_OFFICE, key);
    int result;
    if (setting.TextForm) {
        char text[LANGUAGE_TEXT_SIZE];
        FormatLanguageText(text, *setting.Current);
        result = RegWriteString(root, keyPath, setting.ValueName, text);
    } else {
        result = RegWriteDword(root, keyPath, setting.ValueName, *setting.Current);
    }
    return result == 0 ? 0 : -1;
}

// The original is saved before the new language is written, the new-user
// value before the per-user one.  Every write is made; -1 when one failed.
int ApplyLanguage(const LanguageSetting& setting)
{
    int result = SaveOriginalLanguage(setting.SavedName, *setting.Previous) < 0 ? -1 : 0;
    if (WriteLanguage(setting, HKEY_LOCAL_MACHINE, setting.NewUserKey) != 0)
        result = -1;
    if (setting.UserKey && WriteLanguage(setting, HKEY_CURRENT_USER, setting.UserKey) != 0)
        result = -1;
    return result;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

int ParseLanguageText(const char* text)
{
    char cut[LANGUAGE_TEXT_CHARS + 1];
    lstrcpynA(cut, text, sizeof cut);
    const char* p = cut;
    while (IsBlank(*p))
        p++;
    int sign = 1;
    if (*p == '+' || *p == '-') {
        if (*p == '-')
            sign = -1;
        p++;
    }
    int number = 0;
    for (; *p >= '0' && *p <= '9'; p++)
        number = number * 10 + (*p - '0');
    return sign * number;
}

void FormatLanguageText(char* text, int language)
{
    wsprintfA(text, FORMAT_LANGUAGE_TEXT, language);
}

void ReadCurrentLanguages()
{
    for (const LanguageSetting& setting : SETTINGS)
        *setting.Current = LCID_ASSUMED;
    for (const LanguageSetting& setting : SETTINGS) {
        ReadLanguage(setting, HKEY_LOCAL_MACHINE, KEY_OFFICE, setting.NewUserKey);
        if (setting.UserKey)
            ReadLanguage(setting, HKEY_CURRENT_USER, setting.UserKeyReadBelow, setting.UserKey);
    }
}

int ApplyDefaultLanguages()
{
    if (!SetupState.SpellerRegistered)
        return 0;
    int result = 0;
    for (const LanguageSetting& setting : SETTINGS) {
        if (*setting.Installed && ApplyLanguage(setting) != 0)
            result = -1;
    }
    return result;
}

int SaveOriginalLanguage(const char* valueName, int language)
{
    int saved;
    if (RegReadDword(HKEY_LOCAL_MACHINE, KEY_SAVED_LANGUAGES, valueName, &saved) == 0)
        return 1;
    if (RegWriteDword(HKEY_LOCAL_MACHINE, KEY_SAVED_LANGUAGES, valueName, language) != 0)
        return -1;
    return 0;
}

// The two Croatian entries are this product's own languages: restoring one
// would keep them in effect after removal.
int RestoredLanguage(const char* valueName)
{
    int saved;
    if (RegReadDword(HKEY_LOCAL_MACHINE, KEY_SAVED_LANGUAGES, valueName, &saved) != 0)
        return LCID_RESTORE_DEFAULT;
    if (saved == LCID_CROATIAN || saved == LCID_CROATIAN_BH)
        return LCID_RESTORE_DEFAULT;
    return saved;
}

void RestoreSavedLanguages()
{
    for (const LanguageSetting& setting : SETTINGS) {
        if (*setting.Installed)
            *setting.Current = RestoredLanguage(setting.SavedName);
    }
}
