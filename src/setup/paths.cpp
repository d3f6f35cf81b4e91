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
