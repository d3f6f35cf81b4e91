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

int JoinPath(char* path, const char* directory, const char* fileName)
{
    if (CopyText(path, PATH_BUFFER_SIZE, directory) != 0 ||
        AppendText(path, PATH_BUFFER_SIZE, fileName) != 0)
        return -1;
    return 0;
}

void AddPath(PathList* list, const char* path)
{
    for (int i = 0; i < list->Count; i++) {
        if (lstrcmpiA(list->Paths[i], path) == 0)
            return;
    }
    if (list->Count < MAX_LISTED_PATHS)
        CopyText(list->Paths[list->Count++], PATH_BUFFER_SIZE, path);
}

namespace {

// Appends what fits, so that a report too long for its buffer is cut short.
void AppendTruncated(char* text, int textSize, const char* part)
{
    int used = lstrlenA(text);
    if (used < textSize - 1)
        lstrcpynA(text + used, part, textSize - used);
}

}  // namespace

void ComposeReport(char* text, int textSize, const char* header, const char* linePrefix,
                   const PathList& paths, const char* lastLine, const char* footer)
{
    text[0] = '\0';
    AppendTruncated(text, textSize, header);
    const char* separator = "";
    for (int i = 0; i < paths.Count; i++) {
        AppendTruncated(text, textSize, separator);
        AppendTruncated(text, textSize, linePrefix);
        AppendTruncated(text, textSize, paths.Paths[i]);
        separator = "\n";
    }
    if (lastLine) {
        AppendTruncated(text, textSize, separator);
        AppendTruncated(text, textSize, lastLine);
    }
    AppendTruncated(text, textSize, footer);
}
