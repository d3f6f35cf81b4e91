// Every registry key and value that Setup reads or writes, spelled as Office
// and Windows spell them.  Keys are relative to the root named beside them.
#ifndef VELMORA_REGISTRY_MAP_H
#define VELMORA_REGISTRY_MAP_H

// Windows settings (HKLM, read only).
inline constexpr char KEY_WINDOWS_CURRENT_VERSION[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
inline constexpr char VAL_COMMON_FILES_DIR[] = "CommonFilesDir";
// An Office application's registration, below KEY_WINDOWS_CURRENT_VERSION
// by its program file.
inline constexpr char FORMAT_APP_PATH_KEY[] = "%s\\App Paths\\%s";
inline constexpr char PROGRAM_WORD[] = "Winword.EXE";
inline constexpr char PROGRAM_EXCEL[] = "EXCEL.EXE";
inline constexpr char PROGRAM_POWERPOINT[] = "POWERPNT.EXE";
inline constexpr char PROGRAM_ACCESS[] = "MSACCESS.EXE";
inline constexpr char PROGRAM_OUTLOOK[] = "OUTLOOK.EXE";
inline constexpr char VAL_PATH[] = "Path";

// Office's proofing-tool registration (HKLM).
inline constexpr char KEY_SPELLING[] =
    "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Spelling";
inline constexpr char KEY_HYPHENATION[] =
    "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Hyphenation";
// A language's registration below a tool's key: the language's subkey, then
// "Normal".
inline constexpr char FORMAT_TOOL_LANGUAGE_KEY[] = "%s\\%s\\Normal";
inline constexpr char SUBKEY_4122[] = "4122";
inline constexpr char SUBKEY_1050[] = "1050";
inline constexpr char VAL_ENGINE[] = "Engine";
inline constexpr char VAL_DICTIONARY[] = "Dictionary";
inline constexpr char KEY_LANGUAGE_4122[] =
    "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Language\\4122";
inline constexpr char KEY_LANGUAGE_1050[] =
    "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Language\\1050";
inline constexpr char VAL_NAME[] = "Name";
// The stored names keep their trailing blanks; the language lists show the
// same texts.
inline constexpr char NAME_LANGUAGE_4122[] = "Croatian       ";
inline constexpr char NAME_LANGUAGE_1050[] = "Croatian (B&H)    ";

// Default proofing language of the Office applications, in keys below
// Office's own: HKLM's for new users, HKCU's for the user.  Word and Access
// spell the value "Language ID", PowerPoint "Language Id".
inline constexpr char KEY_OFFICE[] = "SOFTWARE\\Microsoft\\Office\\8.0";
// PowerPoint's key in HKCU is read by this spelling, written by the other;
// both name the same key.
inline constexpr char KEY_OFFICE_POWERPOINT_READ[] = "Software\\Microsoft\\Office\\8.0";
inline constexpr char FORMAT_OFFICE_KEY[] = "%s\\%s";
inline constexpr char KEY_WORD_LANGUAGE[] = "Word";
inline constexpr char KEY_ACCESS_LANGUAGE[] = "Access\\Speller";
inline constexpr char VAL_LANGUAGE_ID[] = "Language ID";
inline constexpr char KEY_POWERPOINT_NEW_USER[] = "New User Settings\\PowerPoint\\Options";
inline constexpr char KEY_POWERPOINT_USER[] = "PowerPoint\\Options";
inline constexpr char VAL_POWERPOINT_LANGUAGE_ID[] = "Language Id";
inline constexpr char KEY_EXCEL_NEW_USER[] = "New User Settings\\Excel\\Spell Checker";
inline constexpr char KEY_EXCEL_USER[] = "Excel\\Spell Checker";
inline constexpr char KEY_OUTLOOK_NEW_USER[] = "New User Settings\\Outlook\\Options\\Spelling";
inline constexpr char KEY_OUTLOOK_USER[] = "Outlook\\Options\\Spelling";
inline constexpr char VAL_SPELLER[] = "Speller";
// Excel and Outlook keep the language as this text of the LCID.
inline constexpr char FORMAT_LANGUAGE_TEXT[] = "%d\\Normal";

// The maker's own key (HKLM): the languages in effect before the first change.
inline constexpr char KEY_MAKER[] = "SOFTWARE\\Quenra";
inline constexpr char SUBKEY_SAVED_LANGUAGES[] = "Nalvoro";
inline constexpr char KEY_SAVED_LANGUAGES[] = "SOFTWARE\\Quenra\\Nalvoro";
inline constexpr char VAL_OLD_LANG_WORD[] = "OldLangWord";
inline constexpr char VAL_OLD_LANG_EXCEL[] = "OldLangExcel";
inline constexpr char VAL_OLD_LANG_POWERPOINT[] = "OldLangPowerPoint";
inline constexpr char VAL_OLD_LANG_ACCESS[] = "OldLangAccess";
inline constexpr char VAL_OLD_LANG_OUTLOOK[] = "OldLangOutlook";
// Setup's own record (HKLM) of what it has not finished: a value each, named
// by a folder where it has begun to make files, so that a later run knows
// which files of its fixed names there are its own, or by a file it
// installed that it has yet to delete.
inline constexpr char KEY_IN_PROGRESS[] = "SOFTWARE\\Quenra\\Setup In Progress";

#endif
