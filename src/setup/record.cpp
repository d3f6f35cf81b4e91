// Setup's record of the folders where it has begun to make files of its
// companions' fixed names.  Only there are such files its own: elsewhere a
// file of those names is a user's, whatever it holds.  A folder is recorded
// before the first companion is made there and forgotten once they are all
// gone, so a run cut at any moment leaves it recorded.
#include "registry/registry.h"
#include "registry/registry_map.h"
#include "setup/setup.h"

namespace {

void ListIfThere(Report* left, const char* folder, const char* fileName, int companion)
{
    char path[PATH_BUFFER_SIZE];
    if (CompanionName(path, folder, fileName, companion) == 0 && IsFile(path))
        AddReportLine(left, "", path);
}

// Lists Setup's companions that stay in a folder it could not put right.
void ListCompanions(Report* left, const char* folder)
{
    for (const char* name : PAYLOAD_FILES) {
        ListIfThere(left, folder, name, FRESH_COPY);
        ListIfThere(left, folder, name, OLD_FILE);
    }
}

}  // namespace

bool RecordFolder(const char* folder)
{
    return RegWriteString(HKEY_LOCAL_MACHINE, KEY_FOLDERS_IN_PROGRESS, folder, "") == 0;
}

bool IsFolderRecorded(const char* folder)
{
    char scratch[PATH_BUFFER_SIZE];
    return RegReadString(HKEY_LOCAL_MACHINE, KEY_FOLDERS_IN_PROGRESS, folder, scratch,
                         sizeof scratch) == 0;
}

void ClearFolder(const char* folder)
{
    RegRemoveValue(HKEY_LOCAL_MACHINE, KEY_FOLDERS_IN_PROGRESS, folder);
}

bool PutFolderRight(const char* folder, Report* left)
{
    bool right = RecoverComponent(folder, SPELLER);
    right = RecoverComponent(folder, HYPHENATOR) && right;
    if (!right && left)
        ListCompanions(left, folder);
    return right;
}

void PutRecordedFoldersRight(Report* left)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, KEY_FOLDERS_IN_PROGRESS, 0,
                      KEY_QUERY_VALUE | KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    // A folder put right is forgotten, and the next takes its index.
    for (DWORD index = 0;;) {
        char folder[PATH_BUFFER_SIZE];
        DWORD length = sizeof folder;
        LONG status = RegEnumValueA(key, index, folder, &length, NULL, NULL, NULL, NULL);
        // A name too long for a path is no folder of Setup's, and none
        // longer than Windows 95 allows is written.
        if (status != ERROR_SUCCESS)
            break;
        if (!PutFolderRight(folder, left) || RegDeleteValueA(key, folder) != ERROR_SUCCESS)
            index++;
    }
    RegCloseKey(key);
}
