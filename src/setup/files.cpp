// What Setup learns of files and does to them: which file is which, and the
// replacement of a component's two files, whole or not at all, in steps
// that a later run can finish or undo wherever a run was cut short.
#include "setup/setup.h"

namespace {

// Compared this many bytes at a time.
enum { COMPARED_CHUNK = 512 };

// Shared with other programs, which may still write to it.
HANDLE OpenForReading(const char* path)
{
    return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                       0, NULL);
}

// Asks no access, so that Windows NT tells even a file held open without
// sharing; the Windows 95 family wants read access for it.
bool Identify(const char* path, BY_HANDLE_FILE_INFORMATION* identity)
{
    HANDLE file =
        CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        file = OpenForReading(path);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool known = GetFileInformationByHandle(file, identity) != 0;
    CloseHandle(file);
    return known;
}

// Only Windows' own "not found" tells that a file is not there: a path too
// long or a drive that went away tell nothing.
bool IsAbsent(const char* path)
{
    return GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES &&
           GetLastError() == ERROR_FILE_NOT_FOUND;
}

bool IsPresent(const char* path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

// A component's files in a folder, each with its fixed companions.
struct ComponentFiles {
    char Installed[COMPONENT_FILES][PATH_BUFFER_SIZE];
    char Fresh[COMPONENT_FILES][PATH_BUFFER_SIZE];
    char Old[COMPONENT_FILES][PATH_BUFFER_SIZE];
};

// A folder too long for them holds no file of Setup's.
bool FindComponentFiles(ComponentFiles* files, const char* folder, const Component& component)
{
    const char* const names[COMPONENT_FILES] = {component.EngineFile, component.LexiconFile};
    for (int i = 0; i < COMPONENT_FILES; i++) {
        if (JoinPath(files->Installed[i], folder, names[i]) != 0 ||
            CompanionName(files->Fresh[i], folder, names[i], FRESH_COPY) != 0 ||
            CompanionName(files->Old[i], folder, names[i], OLD_FILE) != 0)
            return false;
    }
    return true;
}

// Windows answers "not found" alike for a file or folder that is gone and
// for a drive that is not there: the drive tells them apart.  A share
// answers for itself: one that cannot be reached gives another error.
bool IsDrivePresent(const char* full)
{
    char drive[4];
    lstrcpynA(drive, full, sizeof drive);
    return full[1] != ':' || IsPresent(drive);
}

}  // namespace

bool IsSameIdentity(const BY_HANDLE_FILE_INFORMATION& one, const BY_HANDLE_FILE_INFORMATION& other)
{
    return one.dwVolumeSerialNumber == other.dwVolumeSerialNumber &&
           one.nFileIndexHigh == other.nFileIndexHigh && one.nFileIndexLow == other.nFileIndexLow;
}

bool IsFile(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int CompareFiles(const char* first, const char* second)
{
    BY_HANDLE_FILE_INFORMATION one, other;
    if (!Identify(first, &one) || !Identify(second, &other))
        return FILES_UNKNOWN;
    return IsSameIdentity(one, other) ? FILES_SAME : FILES_DIFFERENT;
}

int CompareWithShipped(const char* path, const char* fileName)
{
    char shipped[PATH_BUFFER_SIZE];
    if (JoinPath(shipped, SetupState.SourceDir, fileName) != 0)
        return FILES_UNKNOWN;
    int same = CompareFiles(path, shipped);
    // The distribution has no such file to lose; one it cannot reach may be it.
    return same == FILES_UNKNOWN && IsAbsent(shipped) ? FILES_DIFFERENT : same;
}

int CompareWithSource(const char* folder, char* untold)
{
    if (IsSameFolder(folder, SetupState.SourceDir))
        return FILES_SAME;
    CopyText(untold, PATH_BUFFER_SIZE, folder);
    // A folder that is not there holds nothing of the distribution's.
    if (!IsPresent(folder)) {
        DWORD failure = GetLastError();
        return failure == ERROR_FILE_NOT_FOUND || failure == ERROR_PATH_NOT_FOUND ? FILES_DIFFERENT
                                                                                  : FILES_UNKNOWN;
    }
    // Another name for the same folder (a mapped drive, a link, a short name,
    // a share) shows in the files there: a payload file that is the
    // distribution's own, or one that cannot be told.  Nothing is written, so
    // a full or read-only disk is told as well, and no path is looked up that
    // is longer than the ones Setup would write.
    for (const char* name : PAYLOAD_FILES) {
        if (JoinPath(untold, folder, name) != 0)
            return FILES_UNKNOWN;
        // A folder of that name is no payload file.
        DWORD attributes = GetFileAttributesA(untold);
        int same = attributes == INVALID_FILE_ATTRIBUTES
                       ? GetLastError() == ERROR_FILE_NOT_FOUND ? FILES_DIFFERENT : FILES_UNKNOWN
                   : attributes & FILE_ATTRIBUTE_DIRECTORY ? FILES_DIFFERENT
                                                           : CompareWithShipped(untold, name);
        if (same != FILES_DIFFERENT)
            return same;
    }
    // Setup acts on no other file of the distribution's there.
    return FILES_DIFFERENT;
}

int RegisteredFileState(const char* path, const char* fileName)
{
    // Normalised first: "\.\", "..", "/" and doubled backslashes hide no folder.
    char full[PATH_BUFFER_SIZE], shipped[PATH_BUFFER_SIZE];
    DWORD length = GetFullPathNameA(path, sizeof full, full, NULL);
    if (length == 0 || length >= sizeof full ||
        JoinPath(shipped, SetupState.SourceDir, fileName) != 0)
        return REGISTERED_UNKNOWN;
    // A file is gone when it or its folder is missing from a drive or share
    // that is there; an absent drive or share says nothing of it.
    DWORD attributes = GetFileAttributesA(full);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        DWORD failure = GetLastError();
        return (failure == ERROR_FILE_NOT_FOUND || failure == ERROR_PATH_NOT_FOUND) &&
                       IsDrivePresent(full)
                   ? REGISTERED_NO_FILE
                   : REGISTERED_UNREACHABLE;
    }
    // A folder is no file of Setup's.
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return REGISTERED_NO_FILE;
    if (IsSameTextIgnoringCase(full, shipped))
        return REGISTERED_SHIPPED;
    int same = CompareWithShipped(full, fileName);
    return same == FILES_DIFFERENT ? REGISTERED_OWN
           : same == FILES_SAME    ? REGISTERED_SHIPPED
                                   : REGISTERED_UNKNOWN;
}

int ProbeFolder(const char* folder)
{
    // The engine's fresh copy's name: one left by a run cut short reads as a
    // replacement that put nothing in, which the next run undoes.
    char probe[PATH_BUFFER_SIZE];
    if (CompanionName(probe, folder, SPELLER.EngineFile, FRESH_COPY) != 0)
        return PROBE_FAILED;
    // Made new, never opened if it is there.
    HANDLE file = CreateFileA(probe, GENERIC_WRITE, 0, NULL, CREATE_NEW, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return PROBE_FAILED;
    CloseHandle(file);
    return DeleteFileA(probe) ? PROBE_MADE : PROBE_LEFT;
}

bool FindObstacle(char* path, const char* folder)
{
    for (const char* name : PAYLOAD_FILES) {
        for (int companion = FRESH_COPY; companion <= OLD_FILE; companion++) {
            if (CompanionName(path, folder, name, companion) != 0 || !IsAbsent(path))
                return true;
        }
    }
    return false;
}

bool HaveSameBytes(const char* first, const char* second)
{
    HANDLE files[] = {OpenForReading(first), OpenForReading(second)};
    BYTE chunks[2][COMPARED_CHUNK];
    DWORD read[2];
    bool same;
    // A file that cannot be opened fails its first read.
    do {
        same = ReadFile(files[0], chunks[0], COMPARED_CHUNK, &read[0], NULL) &&
               ReadFile(files[1], chunks[1], COMPARED_CHUNK, &read[1], NULL) && read[0] == read[1];
        for (DWORD i = 0; same && i < read[0]; i++)
            same = chunks[0][i] == chunks[1][i];
    } while (same && read[0] > 0);
    CloseHandle(files[0]);
    CloseHandle(files[1]);
    return same;
}

int CompanionName(char* path, const char* folder, const char* fileName, int companion)
{
    static const char* const EXTENSIONS[] = {"VLN", "VLO"};
    if (JoinPath(path, folder, fileName) != 0)
        return -1;
    // Every payload file name ends in a dot and three letters.
    lstrcpynA(path + lstrlenA(path) - 3, EXTENSIONS[companion], 4);
    return 0;
}

bool MayReplace(const char* path, const char* fileName)
{
    if (IsAbsent(path))
        return true;
    // A read-only file or a folder is not Setup's to replace.
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES &&
           !(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) &&
           CompareWithShipped(path, fileName) == FILES_DIFFERENT;
}

// The fresh copies are made engine first and go in engine first, and the
// old files go aside before either goes in.  So the companions left tell how
// far a run got: fresh copies of both, or of the engine alone, mean that
// nothing went in; of the lexicon alone, that the engine did.  Called only
// for a folder that Setup's record names, where they are its own.  Kept out
// of its callers, as the swap is: the paths of two of them in one frame
// would pass a page of stack, which would need stack probes.
__attribute__((noinline)) bool RecoverComponent(const char* folder, const Component& component)
{
    ComponentFiles files;
    if (!FindComponentFiles(&files, folder, component))
        return false;
    // The engine that went in goes back to its fresh copy's name, unless it
    // is not Setup's to move: then the component stays as it is.
    if (!IsPresent(files.Fresh[0]) && IsPresent(files.Fresh[1]) && IsPresent(files.Installed[0]) &&
        !(MayReplace(files.Installed[0], component.EngineFile) &&
          MoveFileA(files.Installed[0], files.Fresh[0])))
        return false;
    // Fresh copies left mean the swap did not finish: the old files go back.
    // Without them it did, and the old files go.
    bool unfinished = IsPresent(files.Fresh[0]) || IsPresent(files.Fresh[1]);
    for (int i = 0; i < COMPONENT_FILES; i++) {
        if (IsPresent(files.Old[i]) &&
            !(unfinished ? MoveFileA(files.Old[i], files.Installed[i]) : DeleteFileA(files.Old[i])))
            return false;
    }
    // The lexicon's copy goes first: the engine's alone still reads as
    // nothing gone in.
    for (int i = COMPONENT_FILES - 1; i >= 0; i--) {
        if (IsPresent(files.Fresh[i]) && !DeleteFileA(files.Fresh[i]))
            return false;
    }
    return true;
}

__attribute__((noinline)) bool SwapInComponent(const char* folder, const Component& component)
{
    ComponentFiles files;
    bool swapped = FindComponentFiles(&files, folder, component);
    for (int i = 0; swapped && i < COMPONENT_FILES; i++)
        swapped = !IsPresent(files.Installed[i]) || MoveFileA(files.Installed[i], files.Old[i]);
    for (int i = 0; swapped && i < COMPONENT_FILES; i++)
        swapped = MoveFileA(files.Fresh[i], files.Installed[i]) != 0;
    // Finished, the old files go; cut short, they come back.
    RecoverComponent(folder, component);
    return swapped;
}
