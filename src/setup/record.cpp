// Setup's record of what it has begun and not finished.  A folder is
// recorded before the first companion is made there and forgotten once they
// are all gone: only there are files of the companions' fixed names its own.
// A file it installs is recorded before it goes in, and one it installed
// before any registration stops naming it; each is forgotten once a
// registration names it or it is gone.  So a run cut short at any moment
// leaves every file of Setup's named by a registration or by the record.
#include "registry/registry.h"
#include "registry/registry_map.h"
#include "setup/setup.h"

namespace {

// Why a recorded file stays, each with its advice; then what a walk tells
// besides.  Setup runs from the folder of a file it keeps.
enum Stay { STAY_IN_USE, STAY_UNREACHABLE, STAY_KEPT, STAYS };
enum { SETTLED = STAYS, REMAINS };

// The advice for files in use or out of reach goes on with the language's
// tail.
struct Advice {
    const char* Reasons[STAYS];
    const char* Tail;
};
const Advice ADVICE_ENGLISH = {
    {"\n\nClose any program using them", "\n\nConnect their drive",
     "\n\nRun Setup from another copy for those in its folder."},
    ", then run Setup again.",
};
const Advice ADVICE_SERBIAN = {
    {"\n\nZatvorite programe koji ih koriste", "\n\nPovežite njihov disk",
     "\n\nZa one u njenoj fascikli pokrenite drugu kopiju instalacije."},
    ", pa ponovo pokrenite instalaciju.",
};

// Whether a recorded path names a payload file: another names nothing of
// Setup's.
const char* PayloadNameOf(const char* path)
{
    for (const char* name : PAYLOAD_FILES) {
        if (IsOwnFile(path, name))
            return name;
    }
    return NULL;
}

// Deletes a recorded file by the rules of a removal: SETTLED once it is
// gone, or why it stays.
int SettleFile(const char* path)
{
    const char* name = PayloadNameOf(path);
    if (!name)
        return SETTLED;
    int state = RegisteredFileState(path, name);
    // Only a file already gone is no failure: a drive that went away is one.
    if (state == REGISTERED_NO_FILE ||
        (state == REGISTERED_OWN && (DeleteFileA(path) || GetLastError() == ERROR_FILE_NOT_FOUND)))
        return SETTLED;
    return state == REGISTERED_SHIPPED       ? STAY_KEPT
           : state == REGISTERED_UNREACHABLE ? STAY_UNREACHABLE
                                             : STAY_IN_USE;
}

// Puts a recorded folder right: false where a companion stays.
bool PutFolderRight(const char* folder)
{
    bool right = RecoverComponent(folder, SPELLER);
    return RecoverComponent(folder, HYPHENATOR) && right;
}

// Without report, puts the recorded folders right; with it, lists the
// recorded files, and with settle deletes them first, and lists the folders
// that stay.  Forgets what is settled.  Returns a bit for each reason why a
// value stays recorded, none where none does.
int WalkRecord(Report* report, bool settle)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, KEY_IN_PROGRESS, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                      &key) != ERROR_SUCCESS)
        return 0;
    int reasons = 0;
    // What is settled is forgotten, and the next value takes its index.
    for (DWORD index = 0;;) {
        char path[PATH_BUFFER_SIZE];
        DWORD length = sizeof path;
        // A name too long for a path is nothing of Setup's, and none longer
        // than Windows 95 allows is written.
        if (RegEnumValueA(key, index, path, &length, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        bool folder = length > 0 && path[length - 1] == '\\';
        int stay = REMAINS;
        if (!report) {
            if (folder && PutFolderRight(path))
                stay = SETTLED;
        } else if (!folder || settle) {
            // A folder that stays is listed: its companions are Setup's,
            // whatever their names.
            stay = folder ? STAY_IN_USE : settle ? SettleFile(path) : REMAINS;
            if (stay != SETTLED)
                AddReportLine(report, "", path);
        }
        if (stay != SETTLED || RegDeleteValueA(key, path) != ERROR_SUCCESS) {
            reasons |= 1 << stay;
            index++;
        }
    }
    RegCloseKey(key);
    return reasons;
}

}  // namespace

bool RecordPath(const char* path)
{
    return RegWriteString(HKEY_LOCAL_MACHINE, KEY_IN_PROGRESS, path, "") == 0;
}

bool IsPathRecorded(const char* path)
{
    char scratch[PATH_BUFFER_SIZE];
    return RegReadString(HKEY_LOCAL_MACHINE, KEY_IN_PROGRESS, path, scratch, sizeof scratch) == 0;
}

void ClearPath(const char* path)
{
    RegRemoveValue(HKEY_LOCAL_MACHINE, KEY_IN_PROGRESS, path);
}

bool PutRecordedFoldersRight()
{
    return WalkRecord(NULL, false) != 0;
}

int RecordRegisteredFiles(const Component& component)
{
    const char* const values[COMPONENT_FILES] = {VAL_ENGINE, VAL_DICTIONARY};
    const char* const names[COMPONENT_FILES] = {component.EngineFile, component.LexiconFile};
    int own = 0;
    for (int i = 0; i < LANGUAGES; i++) {
        char key[KEY_PATH_SIZE];
        ComponentLanguageKey(key, component, i);
        for (int file = 0; file < COMPONENT_FILES; file++) {
            char path[PATH_BUFFER_SIZE];
            bool named =
                RegReadString(HKEY_LOCAL_MACHINE, key, values[file], path, sizeof path) == 0 &&
                IsOwnFile(path, names[file]);
            // Another product's engine makes the language none of Setup's.
            if (file == 0 && !named)
                break;
            own |= 1 << i;
            if (named && !RecordPath(path))
                return -1;
        }
    }
    return own;
}

bool SettleRecord(Report* report)
{
    const Advice& advice = SetupState.LanguageOffset ? ADVICE_SERBIAN : ADVICE_ENGLISH;
    // Folders first: putting one right may bring back a file recorded here.
    PutRecordedFoldersRight();
    int reasons = WalkRecord(report, true);
    if (report->Lines == 0)
        return false;
    for (int stay = 0; stay < STAYS; stay++) {
        if (!(reasons >> stay & 1))
            continue;
        FinishReport(report, advice.Reasons[stay]);
        if (stay != STAY_KEPT)
            FinishReport(report, advice.Tail);
    }
    return true;
}

bool ListRecordedFiles(Report* report)
{
    WalkRecord(report, false);
    return report->Lines > 0;
}
