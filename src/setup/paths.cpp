#include "setup/setup.h"

int AppendText(char* buffer, int bufferSize, const char* text)
{
    int used = lstrlenA(buffer);
    int added = lstrlenA(text);
    if (used + added >= bufferSize)
        return -1;
    lstrcpynA(buffer + used, text, bufferSize - used);
    return 0;
}

int CopyText(char* buffer, int bufferSize, const char* text)
{
    if (lstrlenA(text) >= bufferSize)
        return -1;
    lstrcpynA(buffer, text, bufferSize);
    return 0;
}

bool IsSameText(const char* first, const char* second)
{
    while (*first && *first == *second) {
        first++;
        second++;
    }
    return *first == *second;
}

namespace {

// The code page's own upper case, as the file system compares names: Č is č.
char FoldCase(char c)
{
    // A character in the low word of the pointer is converted by value.
    LPSTR single = reinterpret_cast<LPSTR>(static_cast<DWORD_PTR>(static_cast<BYTE>(c)));
    return static_cast<char>(reinterpret_cast<DWORD_PTR>(CharUpperA(single)));
}

// Whether the first count characters agree but for letter case.
bool AgreeIgnoringCase(const char* first, const char* second, int count)
{
    for (int i = 0; i < count; i++) {
        if (FoldCase(first[i]) != FoldCase(second[i]))
            return false;
    }
    return true;
}

int FolderLength(const char* path)
{
    int length = lstrlenA(path);
    return length > 0 && path[length - 1] == '\\' ? length - 1 : length;
}

}  // namespace

bool IsSameTextIgnoringCase(const char* first, const char* second)
{
    int length = lstrlenA(first);
    return length == lstrlenA(second) && AgreeIgnoringCase(first, second, length);
}

bool IsSameFolder(const char* first, const char* second)
{
    int length = FolderLength(first);
    return length == FolderLength(second) && AgreeIgnoringCase(first, second, length);
}

int ResolveFolder(char* full, const char* entry)
{
    char folder[PATH_BUFFER_SIZE];
    if (CopyText(folder, sizeof folder, entry) != 0)
        return -1;
    // Windows drops trailing blanks from the last name of a path on its own,
    // but an entry of blanks alone is no folder at all.
    int length = lstrlenA(folder);
    while (length > 0 && folder[length - 1] == ' ')
        folder[--length] = '\0';
    if (length == 0)
        return -1;
    // A drive alone names its root, not that drive's current folder.  Any
    // other entry keeps its last name as typed: with a backslash after it,
    // Windows would keep its trailing blanks and make "Proof " of "Proof ".
    if (length == 2 && folder[1] == ':' && AppendText(folder, sizeof folder, "\\") != 0)
        return -1;
    DWORD fullLength = GetFullPathNameA(folder, PATH_BUFFER_SIZE, full, NULL);
    if (fullLength == 0 || fullLength >= PATH_BUFFER_SIZE)
        return -1;
    return full[fullLength - 1] == '\\' ? 0 : AppendText(full, PATH_BUFFER_SIZE, "\\");
}

int JoinPath(char* path, const char* directory, const char* fileName)
{
    if (CopyText(path, PATH_BUFFER_SIZE, directory) != 0 ||
        AppendText(path, PATH_BUFFER_SIZE, fileName) != 0)
        return -1;
    return 0;
}

const char* FileNameOf(const char* path)
{
    const char* name = path;
    for (const char* p = path; *p; p = CharNextA(p)) {
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    }
    return name;
}

bool NamesFile(const char* path, const char* fileName)
{
    return IsSameTextIgnoringCase(FileNameOf(path), fileName);
}

bool IsFullPath(const char* path)
{
    char drive = FoldCase(path[0]);
    bool onDrive = drive >= 'A' && drive <= 'Z' && path[1] == ':' && path[2] == '\\';
    return onDrive || (path[0] == '\\' && path[1] == '\\');
}

bool IsOwnFile(const char* path, const char* fileName)
{
    return IsFullPath(path) && NamesFile(path, fileName);
}

bool IsFolderPresent(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

// Appends what fits, so that a report too long for its buffer is cut short.
void AppendTruncated(char* text, int textSize, const char* part)
{
    int used = lstrlenA(text);
    if (used < textSize - 1)
        lstrcpynA(text + used, part, textSize - used);
}

// The text after a leading part, or NULL when the text does not start with it.
const char* SkipPart(const char* text, const char* part)
{
    for (; *part; part++, text++) {
        if (*text != *part)
            return NULL;
    }
    return text;
}

// Whether the line holds exactly prefix + path.
bool IsLine(const char* line, const char* prefix, const char* path)
{
    const char* rest = SkipPart(line, prefix);
    rest = rest ? SkipPart(rest, path) : NULL;
    return rest && (*rest == '\0' || *rest == '\n');
}

bool HasLine(const char* lines, const char* prefix, const char* path)
{
    for (const char* line = lines; *line;) {
        if (IsLine(line, prefix, path))
            return true;
        while (*line && *line != '\n')
            line++;
        if (*line)
            line++;
    }
    return false;
}

}  // namespace

void StartReport(Report* report, const char* header)
{
    report->Text[0] = '\0';
    AddSection(report, header);
}

void AddSection(Report* report, const char* header)
{
    AppendTruncated(report->Text, REPORT_SIZE, header);
    report->LinesStart = lstrlenA(report->Text);
    report->Lines = 0;
}

void AddReportLine(Report* report, const char* prefix, const char* path)
{
    if (HasLine(report->Text + report->LinesStart, prefix, path))
        return;
    if (report->Lines > 0)
        AppendTruncated(report->Text, REPORT_SIZE, "\n");
    AppendTruncated(report->Text, REPORT_SIZE, prefix);
    AppendTruncated(report->Text, REPORT_SIZE, path);
    report->Lines++;
}

void FinishReport(Report* report, const char* footer)
{
    AppendTruncated(report->Text, REPORT_SIZE, footer);
}
