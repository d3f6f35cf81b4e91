// Office finds the proofing tools only under keys spelled exactly as it spells
// them; this table is the independent spelling the map is checked against.
#include "registry/registry_map.h"

#include <gtest/gtest.h>

namespace {

struct Spelling {
    const char* constant;
    const char* expected;
};

const Spelling MAP[] = {
    {KEY_WINDOWS_CURRENT_VERSION, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion"},
    {VAL_COMMON_FILES_DIR, "CommonFilesDir"},
    {KEY_APP_PATH_WORD, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Winword.EXE"},
    {KEY_APP_PATH_EXCEL, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\EXCEL.EXE"},
    {KEY_APP_PATH_POWERPOINT,
     "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\POWERPNT.EXE"},
    {KEY_APP_PATH_ACCESS, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\MSACCESS.EXE"},
    {KEY_APP_PATH_OUTLOOK, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\OUTLOOK.EXE"},
    {VAL_PATH, "Path"},
    {KEY_SPELLING_4122_NORMAL,
     "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Spelling\\4122\\Normal"},
    {KEY_SPELLING_1050_NORMAL,
     "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Spelling\\1050\\Normal"},
    {KEY_HYPHENATION_4122_NORMAL,
     "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Hyphenation\\4122\\Normal"},
    {KEY_HYPHENATION_1050_NORMAL,
     "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Hyphenation\\1050\\Normal"},
    {KEY_SPELLING, "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Spelling"},
    {KEY_HYPHENATION, "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Hyphenation"},
    {SUBKEY_4122, "4122"},
    {SUBKEY_1050, "1050"},
    {VAL_ENGINE, "Engine"},
    {VAL_DICTIONARY, "Dictionary"},
    {KEY_LANGUAGE_4122, "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Language\\4122"},
    {KEY_LANGUAGE_1050, "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Language\\1050"},
    {VAL_NAME, "Name"},
    {NAME_LANGUAGE_4122, "Croatian       "},
    {NAME_LANGUAGE_1050, "Croatian (B&H)    "},
    {KEY_WORD_LANGUAGE, "SOFTWARE\\Microsoft\\Office\\8.0\\Word"},
    {KEY_ACCESS_LANGUAGE, "SOFTWARE\\Microsoft\\Office\\8.0\\Access\\Speller"},
    {VAL_LANGUAGE_ID, "Language ID"},
    {KEY_POWERPOINT_NEW_USER,
     "SOFTWARE\\Microsoft\\Office\\8.0\\New User Settings\\PowerPoint\\Options"},
    {KEY_POWERPOINT_USER_READ, "Software\\Microsoft\\Office\\8.0\\PowerPoint\\Options"},
    {KEY_POWERPOINT_USER_WRITE, "SOFTWARE\\Microsoft\\Office\\8.0\\PowerPoint\\Options"},
    {VAL_POWERPOINT_LANGUAGE_ID, "Language Id"},
    {KEY_EXCEL_NEW_USER,
     "SOFTWARE\\Microsoft\\Office\\8.0\\New User Settings\\Excel\\Spell Checker"},
    {KEY_EXCEL_USER, "SOFTWARE\\Microsoft\\Office\\8.0\\Excel\\Spell Checker"},
    {KEY_OUTLOOK_NEW_USER,
     "SOFTWARE\\Microsoft\\Office\\8.0\\New User Settings\\Outlook\\Options\\Spelling"},
    {KEY_OUTLOOK_USER, "SOFTWARE\\Microsoft\\Office\\8.0\\Outlook\\Options\\Spelling"},
    {VAL_SPELLER, "Speller"},
    {FORMAT_LANGUAGE_TEXT, "%d\\Normal"},
    {KEY_MAKER, "SOFTWARE\\Quenra"},
    {SUBKEY_SAVED_LANGUAGES, "Nalvoro"},
    {KEY_SAVED_LANGUAGES, "SOFTWARE\\Quenra\\Nalvoro"},
    {VAL_OLD_LANG_WORD, "OldLangWord"},
    {VAL_OLD_LANG_EXCEL, "OldLangExcel"},
    {VAL_OLD_LANG_POWERPOINT, "OldLangPowerPoint"},
    {VAL_OLD_LANG_ACCESS, "OldLangAccess"},
    {VAL_OLD_LANG_OUTLOOK, "OldLangOutlook"},
};

TEST(RegistryMap, EveryKeyAndValueIsSpelledAsOfficeSpellsIt)
{
    for (const Spelling& row : MAP)
        EXPECT_STREQ(row.expected, row.constant);
}

}  // namespace
