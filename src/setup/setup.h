// Setup flow: the run-wide state, the wizard driver, and the install and
// remove operations.
#ifndef VELMORA_SETUP_H
#define VELMORA_SETUP_H

#include <windows.h>

#include "registry/registry_map.h"

// Path buffers: 8-bit ANSI, 512 bytes with the terminator.
enum { PATH_BUFFER_SIZE = 512 };

// A component: its two payload files, copied and registered in this order,
// and where Office finds them.
struct Component {
    int* Chosen;
    int* Registered;
    const char* EngineFile;    // the "Engine" value
    const char* LexiconFile;   // the "Dictionary" value
    const char* LanguagesKey;  // holds the 4122 and 1050 subkeys
};

// Added to a page's base id for its Serbian template.
enum { LANGUAGE_OFFSET_SERBIAN = 100 };

// Flags hold 0 or 1; languages are LCIDs.
struct SetupStateRecord {
    int LanguageOffset;
    int WordInstalled;
    int ExcelInstalled;
    int PowerPointInstalled;
    int AccessInstalled;
    int OutlookInstalled;
    int SpellerRegistered;
    int HyphenatorRegistered;
    // Setup's record names files or folders it has not finished with.
    int RecordHeld;
    int InstallSpeller;
    int InstallHyphenator;
    char SourceDir[PATH_BUFFER_SIZE];
    char DestDir[PATH_BUFFER_SIZE];
    // The default destination, to tell it from a folder the user typed.
    char ProposedDir[PATH_BUFFER_SIZE];
    int WordLang;
    int ExcelLang;
    int PowerPointLang;
    int AccessLang;
    int OutlookLang;
    int PrevWordLang;
    int PrevExcelLang;
    int PrevPowerPointLang;
    int PrevAccessLang;
    int PrevOutlookLang;
};

// The one record of the run, shared by the pages and the operations.
extern SetupStateRecord SetupState;

// The payload files beside the program, in the order they are copied.
inline constexpr char SPELLER_ENGINE[] = "MSPCR32.DLL";
inline constexpr char SPELLER_LEXICON[] = "MSSP_CR.LEX";
inline constexpr char HYPHENATOR_ENGINE[] = "MSHYCR32.DLL";
inline constexpr char HYPHENATOR_LEXICON[] = "MSHY_CR.LEX";
inline constexpr const char* PAYLOAD_FILES[] = {SPELLER_ENGINE, SPELLER_LEXICON, HYPHENATOR_ENGINE,
                                                HYPHENATOR_LEXICON};
enum { COMPONENT_FILES = 2 };

inline constexpr Component SPELLER = {
    &SetupState.InstallSpeller,
    &SetupState.SpellerRegistered,
    SPELLER_ENGINE,
    SPELLER_LEXICON,
    KEY_SPELLING,
};
inline constexpr Component HYPHENATOR = {
    &SetupState.InstallHyphenator,
    &SetupState.HyphenatorRegistered,
    HYPHENATOR_ENGINE,
    HYPHENATOR_LEXICON,
    KEY_HYPHENATION,
};

// The whole run: -2 when an Office application was open, -1 when the user
// left, 0 when an action was carried out.
int RunSetup(HWND owner);
// -1 when the user confirms leaving (after the interruption notice), else 0.
int ConfirmExit(HWND owner);
// 0 when done, -1 when the user left on the way.
int InstallComponents(HWND owner);
int RemoveComponents(HWND owner);
// The modeless progress page, its step set for the chosen components.
HWND OpenProgressPage(HWND owner);
// Copies one payload file from SourceDir to its fresh copy's name in
// DestDir, named in copy, and advances the bar: 0, or -1 when no whole copy
// was made.  Without copy it only advances the bar past the file.
int CopyPayloadFile(HWND progressPage, const char* fileName, char* copy);
// Whether the language key's "Engine" names the component's own engine.
bool RegistersOwnEngine(const char* keyPath, const Component& component);
// The key of the component's registration for a language: the first, 4122,
// or the second, 1050, in a buffer of KEY_PATH_SIZE.
inline constexpr const char* COMPONENT_LANGUAGES[] = {SUBKEY_4122, SUBKEY_1050};
enum { LANGUAGES = 2 };
void ComponentLanguageKey(char* keyPath, const Component& component, int language);
// Whether Office's spelling registration holds a language besides 4122 and 1050.
int OtherProofingToolsPresent();
// A subkey name that stands for another spelling language.
bool IsOtherLanguageName(const char* name);

// A message box text in both languages; LanguageOffset picks one at the
// point of use.
struct MessageText {
    const char* Text;
    const char* Caption;
};
struct BilingualMessage {
    MessageText English;
    MessageText Serbian;
};
int ShowMessage(HWND owner, const BilingualMessage& message, UINT type);
// The same, its text a wsprintfA format whose %s subject fills, and a
// second %s, where there is one, detail.
int ShowMessageAbout(HWND owner, const BilingualMessage& message, const char* subject, UINT type,
                     const char* detail = NULL);
// The line that tells of registry settings that could not be written, in
// the run's language.
const char* RegistryFailureLine();

void ProbeEnvironment();
// The default destination by the three platform rules.  commonFilesDir and
// windowsDir may be NULL when they could not be read.
void ChooseDefaultDestination(char* destDir, const char* commonFilesDir, DWORD platformId,
                              DWORD majorVersion, const char* windowsDir);

// Bounded string building into fixed buffers: 0, or -1 with the buffer
// unchanged when the result would not fit.
int AppendText(char* buffer, int bufferSize, const char* text);
int CopyText(char* buffer, int bufferSize, const char* text);
// Byte for byte, letter case included.
bool IsSameText(const char* first, const char* second);
// The same, but for letter case.
bool IsSameTextIgnoringCase(const char* first, const char* second);
// Whether two full paths name the same folder: letter case and a final
// backslash aside.
bool IsSameFolder(const char* first, const char* second);
// The folder a typed entry names, as a full path ending in a backslash and
// resolved against the current folder; a drive alone names its root.  0, or
// -1 when the entry is empty or blank or the path does not fit a path buffer.
int ResolveFolder(char* full, const char* entry);
// directory (ending in a backslash) + file name into a path buffer.
int JoinPath(char* path, const char* directory, const char* fileName);
// What follows the last backslash, slash or colon.
const char* FileNameOf(const char* path);
// Whether a path names the given file, in any folder, in any letter case.
bool NamesFile(const char* path, const char* fileName);
// A drive letter, a colon and a backslash, or a network path: the only
// paths Setup registers.
bool IsFullPath(const char* path);
// Whether a registered path may be Setup's own file of that name.
bool IsOwnFile(const char* path, const char* fileName);
bool IsFolderPresent(const char* path);

// Files: which file is which, and a component's replacement.
//
// Whether two paths name one file, by its volume and file index: it writes
// nothing, so it works on full and read-only disks.
enum FileComparison { FILES_UNKNOWN = -1, FILES_DIFFERENT = 0, FILES_SAME = 1 };
int CompareFiles(const char* first, const char* second);
// One file: the same volume and the same index on it.  Both parts matter
// where Wine cannot show them: a share's serial, a FAT file's high index.
bool IsSameIdentity(const BY_HANDLE_FILE_INFORMATION& one, const BY_HANDLE_FILE_INFORMATION& other);
// A file against the distribution's file of that name, which it cannot be
// where the distribution has none.
int CompareWithShipped(const char* path, const char* fileName);
// Whether a full folder path, ending in a backslash, is the folder Setup
// runs from under any name: FILES_UNKNOWN where that cannot be told, with
// the path that could not be told in untold, a path buffer.
int CompareWithSource(const char* folder, char* untold);
// What removal may do with a registered path that bears the payload file's
// name: delete the file (Setup's own), keep it and say it is kept (the
// distribution's), pass it over (no file there: gone, or a folder), or keep
// it (it cannot be told, or its drive or share cannot be reached).
enum RegisteredFile {
    REGISTERED_OWN,
    REGISTERED_SHIPPED,
    REGISTERED_NO_FILE,
    REGISTERED_UNKNOWN,
    REGISTERED_UNREACHABLE
};
int RegisteredFileState(const char* path, const char* fileName);
// Whether a file can be made in the folder: made and gone again, not made
// (a full or write-protected disk, or the name taken), or made and left there.
enum ProbeResult { PROBE_MADE, PROBE_FAILED, PROBE_LEFT };
int ProbeFolder(const char* folder);
// A file, not a folder.
bool IsFile(const char* path);
bool HaveSameBytes(const char* first, const char* second);
// Whether Setup may move the file at path aside: it is not there, or it is
// a file of its own that is not read-only.
bool MayReplace(const char* path, const char* fileName);

// A payload file's companions while its component is replaced: the fresh
// copy, and the earlier file set aside; the speller engine's fresh copy's
// name also tests a folder.  Their names are fixed (MSPCR32.VLN,
// MSPCR32.VLO), so that a later run finds them; they are Setup's own only
// in a folder its record names.
enum Companion { FRESH_COPY, OLD_FILE };
int CompanionName(char* path, const char* folder, const char* fileName, int companion);
// Whether a companion's name is taken in the folder, or cannot be told
// free; path then names it.
bool FindObstacle(char* path, const char* folder);
// With both fresh copies made: the old files aside, the fresh ones in, the
// old ones deleted.  Where a step fails, the component is put back as it was.
bool SwapInComponent(const char* folder, const Component& component);
// Puts a component whose replacement a run cut short back to one version,
// whole, and deletes its companions: false where one of them could not be
// put back or deleted, and stays.
bool RecoverComponent(const char* folder, const Component& component);

struct Report;
// Setup's record of what it has begun and not finished: the folders where
// it makes companions (named with their final backslash), recorded before
// the first is made and cleared once they are gone; and the files it
// installed that no registration is to name any more, recorded before the
// registration stops naming them and cleared once they are gone.
bool RecordPath(const char* path);
bool IsPathRecorded(const char* path);
void ClearPath(const char* path);
// Puts right every folder the record names, and forgets those put right:
// whether the record still names anything, which Remove then finishes.
bool PutRecordedFoldersRight();
// Records the component's registered files, before its registration goes
// or names others: a bit for each language that registers Setup's own
// engine, or -1 where a file could not be recorded.
int RecordRegisteredFiles(const Component& component);
// Puts the folders right, deletes the recorded files by the rules of a
// removal, and forgets what is settled.  Lists in report what stays, then
// the advice for each reason why: whether anything stays.
bool SettleRecord(Report* report);
// Lists the recorded files in report: whether there are any.
bool ListRecordedFiles(Report* report);

// A warning that lists paths, one a line, after a header.  What does not
// fit is left out: a report is cut short, never overrun.
enum { REPORT_SIZE = 2048 };
struct Report {
    char Text[REPORT_SIZE];
    int LinesStart;  // where the first line follows the header
    int Lines;
};
void StartReport(Report* report, const char* header);
// Starts another list below what the report holds.
void AddSection(Report* report, const char* header);
// Adds prefix + path as a line, unless that line is listed already.
void AddReportLine(Report* report, const char* prefix, const char* path);
void FinishReport(Report* report, const char* footer);

#endif
