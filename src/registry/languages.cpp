#include "registry/registry.h"
#include "registry/registry_map.h"
#include "setup/setup.h"

namespace {

// Office writes the text form as "%d\Normal"; only the first five characters
// are looked at, as Office's own readers do.
enum { LANGUAGE_TEXT_CHARS = 5, LANGUAGE_TEXT_READ_SIZE = 256 };

void ReadTextLanguage(HKEY root, const char* keyPath, int* language)
{
    char text[LANGUAGE_TEXT_READ_SIZE];
    if (RegReadString(root, keyPath, VAL_SPELLER, text, sizeof text) != 0)
        return;
    int parsed = ParseLanguageText(text);
    if (parsed != 0)
        *language = parsed;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Each helper writes one application; the saved original comes first, then
// the new-user value, then the per-user one.  Returns -1 when a write failed.
int ApplyDwordLanguage(const char* savedName, int previous, const char* keyPath,
                       const char* valueName, int language)
{
    int result = SaveOriginalLanguage(savedName, previous) < 0 ? -1 : 0;
    if (RegWriteDword(HKEY_LOCAL_MACHINE, keyPath, valueName, language) != 0)
        result = -1;
    return result;
}

int ApplyPowerPointLanguage()
{
    int language = SetupState.PowerPointLang;
    int result = ApplyDwordLanguage(VAL_OLD_LANG_POWERPOINT, SetupState.PrevPowerPointLang,
                                    KEY_POWERPOINT_NEW_USER, VAL_POWERPOINT_LANGUAGE_ID, language);
    if (RegWriteDword(HKEY_CURRENT_USER, KEY_POWERPOINT_USER_WRITE, VAL_POWERPOINT_LANGUAGE_ID,
                      language) != 0)
        result = -1;
    return result;
}

int ApplyTextLanguage(const char* savedName, int previous, const char* newUserKey,
                      const char* userKey, int language)
{
    int result = SaveOriginalLanguage(savedName, previous) < 0 ? -1 : 0;
    char text[LANGUAGE_TEXT_SIZE];
    FormatLanguageText(text, language);
    if (RegWriteString(HKEY_LOCAL_MACHINE, newUserKey, VAL_SPELLER, text) != 0)
        result = -1;
    if (RegWriteString(HKEY_CURRENT_USER, userKey, VAL_SPELLER, text) != 0)
        result = -1;
    return result;
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

// The new-user (HKLM) setting is read first so that a per-user one wins.
void ReadCurrentLanguages()
{
    SetupState.WordLang = LCID_ASSUMED;
    SetupState.ExcelLang = LCID_ASSUMED;
    SetupState.PowerPointLang = LCID_ASSUMED;
    SetupState.AccessLang = LCID_ASSUMED;
    SetupState.OutlookLang = LCID_ASSUMED;

    RegReadDword(HKEY_LOCAL_MACHINE, KEY_WORD_LANGUAGE, VAL_LANGUAGE_ID, &SetupState.WordLang);
    RegReadDword(HKEY_LOCAL_MACHINE, KEY_ACCESS_LANGUAGE, VAL_LANGUAGE_ID, &SetupState.AccessLang);
    RegReadDword(HKEY_LOCAL_MACHINE, KEY_POWERPOINT_NEW_USER, VAL_POWERPOINT_LANGUAGE_ID,
                      &SetupState.PowerPointLang);
    RegReadDword(HKEY_CURRENT_USER, KEY_POWERPOINT_USER_READ, VAL_POWERPOINT_LANGUAGE_ID,
                      &SetupState.PowerPointLang);
    ReadTextLanguage(HKEY_LOCAL_MACHINE, KEY_EXCEL_NEW_USER, &SetupState.ExcelLang);
    ReadTextLanguage(HKEY_CURRENT_USER, KEY_EXCEL_USER, &SetupState.ExcelLang);
    ReadTextLanguage(HKEY_LOCAL_MACHINE, KEY_OUTLOOK_NEW_USER, &SetupState.OutlookLang);
    ReadTextLanguage(HKEY_CURRENT_USER, KEY_OUTLOOK_USER, &SetupState.OutlookLang);
}

int ApplyDefaultLanguages()
{
    if (!SetupState.SpellerRegistered)
        return 0;
    int result = 0;
    if (SetupState.WordInstalled &&
        ApplyDwordLanguage(VAL_OLD_LANG_WORD, SetupState.PrevWordLang, KEY_WORD_LANGUAGE,
                           VAL_LANGUAGE_ID, SetupState.WordLang) != 0)
        result = -1;
    if (SetupState.AccessInstalled &&
        ApplyDwordLanguage(VAL_OLD_LANG_ACCESS, SetupState.PrevAccessLang, KEY_ACCESS_LANGUAGE,
                           VAL_LANGUAGE_ID, SetupState.AccessLang) != 0)
        result = -1;
    if (SetupState.PowerPointInstalled && ApplyPowerPointLanguage() != 0)
        result = -1;
    if (SetupState.ExcelInstalled &&
        ApplyTextLanguage(VAL_OLD_LANG_EXCEL, SetupState.PrevExcelLang, KEY_EXCEL_NEW_USER,
                          KEY_EXCEL_USER, SetupState.ExcelLang) != 0)
        result = -1;
    if (SetupState.OutlookInstalled &&
        ApplyTextLanguage(VAL_OLD_LANG_OUTLOOK, SetupState.PrevOutlookLang, KEY_OUTLOOK_NEW_USER,
                          KEY_OUTLOOK_USER, SetupState.OutlookLang) != 0)
        result = -1;
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
