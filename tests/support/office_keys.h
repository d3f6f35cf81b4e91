// Windows', Office's and the maker's registry keys as the tests spell them:
// independently of the program's own map, so that a misspelling there fails.
#ifndef VELMORA_TESTS_OFFICE_KEYS_H
#define VELMORA_TESTS_OFFICE_KEYS_H

inline constexpr char CURRENT_VERSION_KEY[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
inline constexpr char APP_PATHS_KEY[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

inline constexpr char PROOFING_KEY[] = "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\";
inline constexpr char SPELLING_KEY[] =
    "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Spelling";
inline constexpr char HYPHENATION_KEY[] =
    "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Hyphenation";
inline constexpr char SPELLING_4122_KEY[] =
    "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Spelling\\4122\\Normal";
inline constexpr char SPELLING_1050_KEY[] =
    "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Spelling\\1050\\Normal";
inline constexpr char HYPHENATION_4122_KEY[] =
    "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Hyphenation\\4122\\Normal";
inline constexpr char HYPHENATION_1050_KEY[] =
    "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Hyphenation\\1050\\Normal";
inline constexpr char LANGUAGE_4122_KEY[] =
    "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Language\\4122";
inline constexpr char LANGUAGE_1050_KEY[] =
    "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Language\\1050";

inline constexpr char WORD_KEY[] = "SOFTWARE\\Microsoft\\Office\\8.0\\Word";
inline constexpr char ACCESS_KEY[] = "SOFTWARE\\Microsoft\\Office\\8.0\\Access\\Speller";
inline constexpr char POWERPOINT_NEW_KEY[] =
    "SOFTWARE\\Microsoft\\Office\\8.0\\New User Settings\\PowerPoint\\Options";
inline constexpr char POWERPOINT_USER_KEY[] =
    "SOFTWARE\\Microsoft\\Office\\8.0\\PowerPoint\\Options";
inline constexpr char EXCEL_NEW_KEY[] =
    "SOFTWARE\\Microsoft\\Office\\8.0\\New User Settings\\Excel\\Spell Checker";
inline constexpr char EXCEL_USER_KEY[] = "SOFTWARE\\Microsoft\\Office\\8.0\\Excel\\Spell Checker";
inline constexpr char OUTLOOK_NEW_KEY[] =
    "SOFTWARE\\Microsoft\\Office\\8.0\\New User Settings\\Outlook\\Options\\Spelling";
inline constexpr char OUTLOOK_USER_KEY[] =
    "SOFTWARE\\Microsoft\\Office\\8.0\\Outlook\\Options\\Spelling";

inline constexpr char MAKER_KEY[] = "SOFTWARE\\Quenra";
inline constexpr char SAVED_KEY[] = "SOFTWARE\\Quenra\\Nalvoro";

// Checks every application's language in the form Office keeps it: a
// REG_DWORD for Word, Access and PowerPoint (both keys), "%d\\Normal" for
// Excel and Outlook (both keys).  Failures name the caller's line.
#define EXPECT_LANGUAGES(word, access, powerPoint, excel, outlook)                                 \
    ExpectLanguages(__FILE__, __LINE__, word, access, powerPoint, excel, outlook)
void ExpectLanguages(const char* file, int line, int word, int access, int powerPoint, int excel,
                     int outlook);

#endif
