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
    {VAL_PATH, "Path"},
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

std::string LanguageKey(const Component& component, int language)
{
    char keyPath[KEY_PATH_SIZE];
    ComponentLanguageKey(keyPath, component, language);
    return keyPath;
}

// Keys made of the map's parts, each within a key path buffer.
TEST(RegistryMap, EveryKeyMadeOfPartsIsSpelledAsOfficeSpellsIt)
{
    const char* const office = KEY_OFFICE;
    const struct {
        std::string made;
        const char* expected;
    } keys[] = {
        {Joined(FORMAT_APP_PATH_KEY, KEY_WINDOWS_CURRENT_VERSION, PROGRAM_WORD),
         "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Winword.EXE"},
        {Joined(FORMAT_APP_PATH_KEY, KEY_WINDOWS_CURRENT_VERSION, PROGRAM_EXCEL),
         "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\EXCEL.EXE"},
        {Joined(FORMAT_APP_PATH_KEY, KEY_WINDOWS_CURRENT_VERSION, PROGRAM_POWERPOINT),
         "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\POWERPNT.EXE"},
        {Joined(FORMAT_APP_PATH_KEY, KEY_WINDOWS_CURRENT_VERSION, PROGRAM_ACCESS),
         "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\MSACCESS.EXE"},
        {Joined(FORMAT_APP_PATH_KEY, KEY_WINDOWS_CURRENT_VERSION, PROGRAM_OUTLOOK),
         "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\OUTLOOK.EXE"},
        {LanguageKey(SPELLER, 0),
         "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Spelling\\4122\\Normal"},
        {LanguageKey(SPELLER, 1),
         "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Spelling\\1050\\Normal"},
        {LanguageKey(HYPHENATOR, 0),
         "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Hyphenation\\4122\\Normal"},
        {LanguageKey(HYPHENATOR, 1),
         "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Hyphenation\\1050\\Normal"},
        {Joined(FORMAT_OFFICE_KEY, office, KEY_WORD_LANGUAGE),
         "SOFTWARE\\Microsoft\\Office\\8.0\\Word"},
        {Joined(FORMAT_OFFICE_KEY, office, KEY_ACCESS_LANGUAGE),
         "SOFTWARE\\Microsoft\\Office\\8.0\\Access\\Speller"},
        {Joined(FORMAT_OFFICE_KEY, office, KEY_POWERPOINT_NEW_USER),
         "SOFTWARE\\Microsoft\\Office\\8.0\\New User Settings\\PowerPoint\\Options"},
        {Joined(FORMAT_OFFICE_KEY, KEY_OFFICE_POWERPOINT_READ, KEY_POWERPOINT_USER),
         "Software\\Microsoft\\Office\\8.0\\PowerPoint\\Options"},
        {Joined(FORMAT_OFFICE_KEY, office, KEY_POWERPOINT_USER),
         "SOFTWARE\\Microsoft\\Office\\8.0\\PowerPoint\\Options"},
        {Joined(FORMAT_OFFICE_KEY, office, KEY_EXCEL_NEW_USER),
         "SOFTWARE\\Microsoft\\Office\\8.0\\New User Settings\\Excel\\Spell Checker"},
        {Joined(FORMAT_OFFICE_KEY, office, KEY_EXCEL_USER),
         "SOFTWARE\\Microsoft\\Office\\8.0\\Excel\\Spell Checker"},
        {Joined(FORMAT_OFFICE_KEY, office, KEY_OUTLOOK_NEW_USER),
         "SOFTWARE\\Microsoft\\Office\\8.0\\New User Settings\\Outlook\\Options\\Spelling"},
        {Joined(FORMAT_OFFICE_KEY, office, KEY_OUTLOOK_USER),
         "SOFTWARE\\Microsoft\\Office\\8.0\\Outlook\\Options\\Spelling"},
    };
    for (const auto& key : keys) {
        EXPECT_EQ(key.expected, key.made);
        EXPECT_LT(key.made.size(), size_t(KEY_PATH_SIZE)) << key.expected;
    }
}

}  // namespace
