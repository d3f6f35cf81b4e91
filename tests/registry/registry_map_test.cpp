// Office finds the proofing tools only under keys spelled exactly as it spells
// them; this table is the independent spelling the map is checked against.
#include "registry/registry.h"
#include "registry/registry_map.h"
#include "setup/setup.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Spelling {
    const char* constant;
    const char* expected;
};

const Spelling MAP[] = {
    {KEY_WINDOWS_CURRENT_VERSION, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion"},
    {VAL_COMMON_FILES_DIR, "CommonFilesDir"},
    {FORMAT_APP_PATH_KEY, "%s\\App Paths\\%s"},
    {PROGRAM_WORD, "Winword.EXE"},
    {PROGRAM_EXCEL, "EXCEL.EXE"},
    {PROGRAM_POWERPOINT, "POWERPNT.EXE"},
    {PROGRAM_ACCESS, "MSACCESS.EXE"},
    {PROGRAM_OUTLOOK, "OUTLOOK.EXE"},
    {VAL_PATH, "Path"},
    {KEY_SPELLING, "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Spelling"},
    {KEY_HYPHENATION, "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Hyphenation"},
    {FORMAT_TOOL_LANGUAGE_KEY, "%s\\%s\\Normal"},
    {SUBKEY_4122, "4122"},
    {SUBKEY_1050, "1050"},
    {VAL_ENGINE, "Engine"},
    {VAL_DICTIONARY, "Dictionary"},
    {KEY_LANGUAGE_4122, "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Language\\4122"},
    {KEY_LANGUAGE_1050, "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Language\\1050"},
    {VAL_NAME, "Name"},
    {NAME_LANGUAGE_4122, "Croatian       "},
    {NAME_LANGUAGE_1050, "Croatian (B&H)    "},
    {KEY_OFFICE, "SOFTWARE\\Microsoft\\Office\\8.0"},
    {KEY_OFFICE_POWERPOINT_READ, "Software\\Microsoft\\Office\\8.0"},
    {FORMAT_OFFICE_KEY, "%s\\%s"},
    {KEY_WORD_LANGUAGE, "Word"},
    {KEY_ACCESS_LANGUAGE, "Access\\Speller"},
    {KEY_POWERPOINT_NEW_USER, "New User Settings\\PowerPoint\\Options"},
    {KEY_POWERPOINT_USER, "PowerPoint\\Options"},
    {KEY_EXCEL_NEW_USER, "New User Settings\\Excel\\Spell Checker"},
    {KEY_EXCEL_USER, "Excel\\Spell Checker"},
    {KEY_OUTLOOK_NEW_USER, "New User Settings\\Outlook\\Options\\Spelling"},
    {KEY_OUTLOOK_USER, "Outlook\\Options\\Spelling"},
    {VAL_LANGUAGE_ID, "Language ID"},
    {VAL_POWERPOINT_LANGUAGE_ID, "Language Id"},
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
    {KEY_IN_PROGRESS, "SOFTWARE\\Quenra\\Setup In Progress"},
};

TEST(RegistryMap, EveryKeyAndValueIsSpelledAsOfficeSpellsIt)
{
    for (const Spelling& row : MAP)
        EXPECT_STREQ(row.expected, row.constant);
}

std::string Joined(const char* format, const char* base, const char* key)
{
    char keyPath[KEY_PATH_SIZE];
    wsprintfA(keyPath, format, base, key);
    return keyPath;
}

// Each kind of key made of the map's parts, the longest within a key path buffer.
TEST(RegistryMap, KeysMadeOfPartsAreSpelledAsOfficeSpellsThem)
{
    EXPECT_EQ("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\POWERPNT.EXE",
              Joined(FORMAT_APP_PATH_KEY, KEY_WINDOWS_CURRENT_VERSION, PROGRAM_POWERPOINT));
    EXPECT_EQ("Software\\Microsoft\\Office\\8.0\\PowerPoint\\Options",
              Joined(FORMAT_OFFICE_KEY, KEY_OFFICE_POWERPOINT_READ, KEY_POWERPOINT_USER));
    const char* const toolKeys[] = {
        "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Spelling\\4122\\Normal",
        "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Hyphenation\\1050\\Normal"};
    char keyPath[KEY_PATH_SIZE];
    ComponentLanguageKey(keyPath, SPELLER, 0);
    EXPECT_STREQ(toolKeys[0], keyPath);
    ComponentLanguageKey(keyPath, HYPHENATOR, 1);
    EXPECT_STREQ(toolKeys[1], keyPath);
    EXPECT_LT(Joined(FORMAT_OFFICE_KEY, KEY_OFFICE, KEY_OUTLOOK_NEW_USER).size(),
              size_t(KEY_PATH_SIZE));
}

}  // namespace
