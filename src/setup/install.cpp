#include "pages/pages.h"
#include "registry/registry.h"
#include "registry/registry_map.h"
#include "setup/setup.h"

// After windows.h, which it needs.
#include <commctrl.h>

namespace {

// The longest payload or companion file name, 8.3.
const int LONGEST_FILE_NAME = 12;
// The longest folder, its final backslash included, in which Windows' ANSI
// calls still reach a file of the longest name.
const int LONGEST_FOLDER = MAX_PATH - 1 - LONGEST_FILE_NAME;
// Two files per component make the bar reach 100 after the last one.
const int PROGRESS_PER_COMPONENT = 50;

// %s is the folder: as resolved for the first, as typed for the second.
const BilingualMessage STARTED_FROM_DESTINATION = {
    {"Setup cannot install into the folder it was started from:\n%s\n\nChoose another folder.",
     "Setup"},
    {"Instalacioni program ne može da instalira u fasciklu iz koje je pokrenut:\n%s\n\n"
     "Izaberite drugu fasciklu.",
     "Instalacija"},
};
const BilingualMessage UNUSABLE_DESTINATION = {
    {"Setup cannot install into this folder:\n%s\n\nChoose an existing folder, or a new folder "
     "inside an existing one.",
     "Setup"},
    {"Instalacioni program ne može da instalira u ovu fasciklu:\n%s\n\nIzaberite postojeću "
     "fasciklu ili novu fasciklu unutar postojeće.",
     "Instalacija"},
};

// %s is the folder, then why no file can be made in it.
const BilingualMessage UNWRITABLE_DESTINATION = {
    {"Setup cannot create files in this folder:\n%s\n\n%s Choose another folder.", "Setup"},
    {"Instalacioni program ne može da napravi datoteke u ovoj fascikli:\n%s\n\n%s Izaberite "
     "drugu fasciklu.",
     "Instalacija"},
};

struct InstallReport {
    // The closing message's first words: all done, or not.
    const char* Completed;
    const char* Header;
    const char* CopyPrefix;
    const char* LeftPrefix;
    const char* RegistryLine;
    const char* Footer;
    const char* Caption;
    // Why no file can be made in a folder.
    const char* FullDisk;
    const char* LongPath;
    // %s is the path of what is in the way, or of what cannot be read.
    const char* InTheWay;
    const char* Unreadable;
    // The files Setup's record names, an earlier installation's and any
    // that could not be registered: no registration names them.
    const char* Earlier;
};

const InstallReport INSTALL_REPORT_ENGLISH = {
    "Setup completed successfully.\nYou may now use the installed Velmora with your MS Office 97 "
    "applications.",
    "Setup could not complete the installation of Velmora.\n\n",
    "Could not copy: ",
    "Left as it was: ",
    "Could not write the registry settings. Administrator rights may be required.",
    "\n\nCorrect the problem and run Setup again.",
    "Setup",
    "The disk may be full or write-protected.",
    "Its path is too long.",
    "%s is in the way.",
    "%s cannot be read.",
    "\n\nFiles Office does not use; Remove deletes them:\n",
};
const InstallReport INSTALL_REPORT_SERBIAN = {
    "Instalacija uspešno završena.\nSada možete da koristite instalirane alatke za proveru teksta "
    "na srpskom jeziku u vašim Office 97 aplikacijama.",
    "Instalacija alatki za proveru teksta na srpskom jeziku nije uspešno završena.\n\n",
    "Nije moguće kopirati: ",
    "Ostalo kako je bilo: ",
    "Nije moguće upisati podešavanja u registar sistema. Možda su potrebna administratorska "
    "prava.",
    "\n\nOtklonite problem i ponovo pokrenite instalaciju.",
    "Instalacija",
    "Disk je možda pun ili zaštićen od upisa.",
    "Putanja je predugačka.",
    "%s smeta.",
    "%s nije moguće pročitati.",
    "\n\nDatoteke koje Office ne koristi; izbacivanje ih briše:\n",
};

// What went wrong on the way, for the closing message.
struct InstallOutcome {
    Report Problems;
    bool RegistryFailed;
    // A companion this run made stays in the destination.
    bool Leftovers;
};

const InstallReport& ReportTexts()
{
    return SetupState.LanguageOffset ? INSTALL_REPORT_SERBIAN : INSTALL_REPORT_ENGLISH;
}

// detail follows the folder in a refusal that has room for it.
bool Refuse(HWND owner, const BilingualMessage& refusal, const char* folder, const char* detail)
{
    ShowMessageAbout(owner, refusal, folder, MB_OK | MB_ICONEXCLAMATION, detail);
    return false;
}

// Makes the folder and, with parents, each missing folder above it, from the
// top down.  Returns how many folders there are from the first one made down
// to the folder itself; the last error is that of the folder itself.
int MakeFolders(char* full, bool parents)
{
    int made = 0;
    for (char* p = full; *p; p = CharNextA(p)) {
        if (*p != '\\' || !(parents || !p[1]))
            continue;
        *p = '\0';
        BOOL createdHere = CreateDirectoryA(full, NULL);
        *p = '\\';
        if (made || createdHere)
            made++;
    }
    return made;
}

// Removes what MakeFolders made, deepest first: each turn cuts the last
// name off full, which ends in a backslash, and removes that folder.
void RemoveFolders(char* full, int made)
{
    for (; made > 0; made--) {
        full[FileNameOf(full) - full - 1] = '\0';
        RemoveDirectoryA(full);
    }
}

// Whether the destination is taken; when it is not, the user has been told
// why.  The full path is taken before the folder is made current, so that a
// relative entry is resolved against where Setup was started.  recorded:
// whether Setup's record names the folder, so that files may be made there.
bool AcceptDestination(HWND owner, bool proposed, bool* recorded)
{
    char full[PATH_BUFFER_SIZE], path[PATH_BUFFER_SIZE], detail[PATH_BUFFER_SIZE + 32];
    bool resolved = ResolveFolder(full, SetupState.DestDir) == 0;
    const char* folder = resolved ? full : SetupState.DestDir;
    const InstallReport& texts = ReportTexts();
    // Only a blank entry cannot be resolved for another reason than its length.
    if (lstrlenA(folder) > LONGEST_FOLDER)
        return Refuse(owner, UNWRITABLE_DESTINATION, folder, texts.LongPath);
    if (!resolved)
        return Refuse(owner, UNUSABLE_DESTINATION, folder, NULL);
    // Copies onto the distribution's own files would be registered, and a
    // later removal would delete the distribution.
    int source = CompareWithSource(full, path);
    if (source == FILES_SAME)
        return Refuse(owner, STARTED_FROM_DESTINATION, full, NULL);
    if (source == FILES_UNKNOWN) {
        wsprintfA(detail, texts.Unreadable, path);
        return Refuse(owner, UNWRITABLE_DESTINATION, full, detail);
    }
    // Setup's own proposal is made whole: Windows NT 3.51 has no MSAPPS
    // folder until some program makes it.  A typed folder gets its last
    // element only, so that a mistyped parent is refused, not made.
    int made = MakeFolders(full, proposed);
    DWORD failure = GetLastError();
    bool present = IsFolderPresent(full);
    // A file of a companion's name there is not Setup's: the folder is not
    // recorded, so that no run takes that file for its own, and no file is
    // made beside it.
    bool blocked = present && FindObstacle(path, full);
    *recorded = present && !blocked && RecordPath(full);
    // Without a record no file is made there: the folder is taken, and
    // nothing is replaced in it.  On a full or write-protected disk no copy
    // could succeed.
    int probe = !present || blocked ? PROBE_FAILED : *recorded ? ProbeFolder(full) : PROBE_MADE;
    if (probe == PROBE_MADE && SetCurrentDirectoryA(full)) {
        CopyText(SetupState.DestDir, PATH_BUFFER_SIZE, full);
        return true;
    }
    // Forgotten before the user is told: nothing of Setup's is there, unless
    // the probe stayed.
    if (*recorded && probe != PROBE_LEFT)
        ClearPath(full);
    // A read-only disk denies access (a CD-ROM, and Wine), a floppy is write-protected.
    if (blocked)
        wsprintfA(detail, texts.InTheWay, path);
    if (present || failure == ERROR_ACCESS_DENIED || failure == ERROR_WRITE_PROTECT ||
        failure == ERROR_DISK_FULL)
        Refuse(owner, UNWRITABLE_DESTINATION, full, blocked ? detail : texts.FullDisk);
    else
        Refuse(owner, UNUSABLE_DESTINATION, SetupState.DestDir, NULL);
    RemoveFolders(full, made);
    return false;
}

// -1 when the user left on the File Destination page.
int ChooseDestination(HWND owner, bool* recorded)
{
    for (;;) {
        if (ShowPage(IDD_DESTINATION, PageProc, owner) != PAGE_NEXT) {
            if (ConfirmExit(owner) != 0)
                return -1;
        } else if (AcceptDestination(
                       owner, IsSameTextIgnoringCase(SetupState.DestDir, SetupState.ProposedDir),
                       recorded)) {
            return 0;
        }
    }
}

// The backdrop and the progress page repaint only here while files copy.
// A quit posted meanwhile is kept for after the copies: a run ended half way
// would leave a component half replaced.
void DrainMessages()
{
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage((int)message.wParam);
            return;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// The copy keeps the source's attributes but read-only: from a CD-ROM it
// would be read-only, and a later removal could not delete it.  CopyFileA
// onto the temporary file it replaces does not carry them over everywhere.
void TakeAttributes(const char* source, const char* copy)
{
    DWORD attributes = GetFileAttributesA(source);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    DWORD kept = attributes & ~FILE_ATTRIBUTE_READONLY;
    SetFileAttributesA(copy, kept ? kept : FILE_ATTRIBUTE_NORMAL);
}

// A copy that fails half way (a full disk) is deleted: its name was free
// before, so the file is Setup's.  A file of that name is never overwritten.
bool CopyToFreshFile(const char* source, const char* fileName, char* copy)
{
    if (CompanionName(copy, SetupState.DestDir, fileName, FRESH_COPY) == 0) {
        if (CopyFileA(source, copy, TRUE)) {
            TakeAttributes(source, copy);
            return true;
        }
        DeleteFileA(copy);
    }
    return false;
}

// Lists the file's path in the destination after prefix; with forget, it
// leaves Setup's record too.
void ReportFile(InstallOutcome* outcome, const char* prefix, const char* fileName,
                bool forget = false)
{
    char destination[PATH_BUFFER_SIZE];
    if (JoinPath(destination, SetupState.DestDir, fileName) != 0)
        return;
    AddReportLine(&outcome->Problems, prefix, destination);
    if (forget)
        ClearPath(destination);
}

// Whether a file already in the destination is Setup's copy: the payload
// file's bytes, but not the payload file itself.
bool IsSetupsCopy(const char* fileName)
{
    char shipped[PATH_BUFFER_SIZE], installed[PATH_BUFFER_SIZE];
    return JoinPath(shipped, SetupState.SourceDir, fileName) == 0 &&
           JoinPath(installed, SetupState.DestDir, fileName) == 0 &&
           CompareFiles(installed, shipped) == FILES_DIFFERENT && HaveSameBytes(installed, shipped);
}

// Whether both files of a chosen component are Setup's copies afterwards.
// Where they are not, the files and the registration from before stay.
bool InstallComponent(HWND progressPage, const Component& component, bool recorded,
                      InstallOutcome* outcome)
{
    if (!*component.Chosen)
        return false;
    const char* const names[COMPONENT_FILES] = {component.EngineFile, component.LexiconFile};
    const InstallReport& texts = ReportTexts();
    char fresh[PATH_BUFFER_SIZE], installed[PATH_BUFFER_SIZE];
    // Without a record no file is made: the component stays as it was.
    if (!recorded)
        outcome->RegistryFailed = true;
    bool whole = recorded;
    // The file that could not be copied in; -1 where neither was, and
    // COMPONENT_FILES where none was tried.
    int failed = recorded ? -1 : COMPONENT_FILES;
    for (int i = 0; i < COMPONENT_FILES; i++) {
        // The lexicon is copied only beside a whole copy of the engine: a
        // later run reads how far this one got from the copies it finds.
        bool copied = CopyPayloadFile(progressPage, names[i], whole ? fresh : NULL) == 0;
        if (whole && !copied)
            failed = i;
        whole = copied;
    }
    // The distribution's own files and a user's are never moved aside.  The
    // files to go in are recorded first: until registered, only the record
    // names them.  Bits of those this run recorded.
    int ownRecords = 0;
    for (int i = 0; whole && i < COMPONENT_FILES; i++) {
        whole = JoinPath(installed, SetupState.DestDir, names[i]) == 0 &&
                MayReplace(installed, names[i]);
        if (whole && !IsPathRecorded(installed)) {
            ownRecords |= 1 << i;
            whole = RecordPath(installed);
        }
        if (!whole)
            failed = i;
    }
    bool swapped = whole && SwapInComponent(SetupState.DestDir, component);
    if (!swapped) {
        // An engine and a lexicon work only together: the user is told of
        // both, and which file could not be copied in where that is known.
        for (int i = 0; i < COMPONENT_FILES; i++) {
            if (failed < 0 || failed == i)
                ReportFile(outcome, texts.CopyPrefix, names[i]);
        }
        // Left as it was, a file is no more known than it was before.
        for (int i = 0; i < COMPONENT_FILES; i++)
            ReportFile(outcome, texts.LeftPrefix, names[i], ownRecords >> i & 1);
    }
    // The companions this run made go; the earlier files stay as they were.
    if (recorded && !RecoverComponent(SetupState.DestDir, component))
        outcome->Leftovers = true;
    return swapped || (IsSetupsCopy(names[0]) && IsSetupsCopy(names[1]));
}

void WritePath(const char* keyPath, const char* valueName, const char* path,
               InstallOutcome* outcome)
{
    if (RegWriteString(HKEY_LOCAL_MACHINE, keyPath, valueName, path) != 0)
        outcome->RegistryFailed = true;
}

// Office is told of a component only when both its files are Setup's copies.
// The files registered before are recorded first, so that those of an
// earlier folder stay known until they are deleted.
void RegisterComponent(const Component& component, bool inPlace, InstallOutcome* outcome)
{
    if (!inPlace)
        return;
    if (RecordRegisteredFiles(component) < 0) {
        outcome->RegistryFailed = true;
        return;
    }
    char engine[PATH_BUFFER_SIZE], lexicon[PATH_BUFFER_SIZE];
    JoinPath(engine, SetupState.DestDir, component.EngineFile);
    JoinPath(lexicon, SetupState.DestDir, component.LexiconFile);
    char keys[LANGUAGES][KEY_PATH_SIZE];
    for (int i = 0; i < LANGUAGES; i++)
        ComponentLanguageKey(keys[i], component, i);
    WritePath(keys[0], VAL_ENGINE, engine, outcome);
    WritePath(keys[1], VAL_ENGINE, engine, outcome);
    WritePath(keys[0], VAL_DICTIONARY, lexicon, outcome);
    WritePath(keys[1], VAL_DICTIONARY, lexicon, outcome);
    // Registered, they are known without the record.
    if (!outcome->RegistryFailed) {
        ClearPath(engine);
        ClearPath(lexicon);
    }
    *component.Registered = 1;
}

// The plain name belongs to 4122 and the "(B&H)" one to 1050.
void WriteLanguageNames(InstallOutcome* outcome)
{
    WritePath(KEY_LANGUAGE_4122, VAL_NAME, NAME_LANGUAGE_4122, outcome);
    WritePath(KEY_LANGUAGE_1050, VAL_NAME, NAME_LANGUAGE_1050, outcome);
}

// The files of an earlier installation that stay follow what became of
// this one.
void ReportOutcome(HWND owner, InstallOutcome* outcome)
{
    const InstallReport& texts = ReportTexts();
    Report* report = &outcome->Problems;
    bool failed = report->Lines > 0 || outcome->RegistryFailed;
    if (!failed) {
        StartReport(report, texts.Completed);
    } else {
        if (outcome->RegistryFailed)
            AddReportLine(report, "", texts.RegistryLine);
        FinishReport(report, texts.Footer);
    }
    int mark = lstrlenA(report->Text);
    AddSection(report, texts.Earlier);
    if (!ListRecordedFiles(report))
        report->Text[mark] = '\0';
    MessageBoxA(owner, report->Text, texts.Caption,
                MB_OK | (failed ? MB_ICONEXCLAMATION : MB_ICONINFORMATION));
}

}  // namespace

const char* RegistryFailureLine()
{
    return ReportTexts().RegistryLine;
}

HWND OpenProgressPage(HWND owner)
{
    HWND page = OpenModelessPage(IDD_PROGRESS, ProgressPageProc, owner);
    int components = SetupState.InstallSpeller + SetupState.InstallHyphenator;
    if (components)
        SendDlgItemMessageA(page, IDC_PROGRESS, PBM_SETSTEP, PROGRESS_PER_COMPONENT / components,
                            0);
    ShowWindow(page, SW_SHOW);
    return page;
}

int CopyPayloadFile(HWND progressPage, const char* fileName, char* copy)
{
    DrainMessages();
    char source[PATH_BUFFER_SIZE], destination[PATH_BUFFER_SIZE];
    bool pathsFit = JoinPath(source, SetupState.SourceDir, fileName) == 0 &&
                    JoinPath(destination, SetupState.DestDir, fileName) == 0;
    if (pathsFit) {
        SetDlgItemTextA(progressPage, IDC_CURRENT_FILE, destination);
        // The copy holds the thread: painted only at the next drain, the
        // label would name the previous file all through this copy.  Wine's
        // label draws itself at once, but shows it only after a paint.
        RedrawWindow(GetDlgItem(progressPage, IDC_CURRENT_FILE), NULL, NULL,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    bool copied = copy && pathsFit && CopyToFreshFile(source, fileName, copy);
    SendDlgItemMessageA(progressPage, IDC_PROGRESS, PBM_STEPIT, 0, 0);
    return copied ? 0 : -1;
}

int InstallComponents(HWND owner)
{
    // Runs cut short are put right first, wherever they made files.
    PutRecordedFoldersRight();
    bool recorded = false;
    if (ChooseDestination(owner, &recorded) != 0)
        return -1;
    InstallOutcome outcome;
    StartReport(&outcome.Problems, ReportTexts().Header);
    outcome.RegistryFailed = false;
    outcome.Leftovers = false;

    HWND progressPage = OpenProgressPage(owner);
    bool spellerInPlace = InstallComponent(progressPage, SPELLER, recorded, &outcome);
    bool hyphenatorInPlace = InstallComponent(progressPage, HYPHENATOR, recorded, &outcome);
    // A companion this run left keeps the folder recorded.
    if (recorded && !outcome.Leftovers)
        ClearPath(SetupState.DestDir);
    RegisterComponent(SPELLER, spellerInPlace, &outcome);
    RegisterComponent(HYPHENATOR, hyphenatorInPlace, &outcome);
    WriteLanguageNames(&outcome);
    if (ApplyDefaultLanguages() != 0)
        outcome.RegistryFailed = true;
    DestroyWindow(progressPage);

    ReportOutcome(owner, &outcome);
    return 0;
}
