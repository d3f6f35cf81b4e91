#include "support/stand_in.h"

decltype(&CreateFileA) realCreateFile = importedCreateFile;
std::string unopenable;

HANDLE WINAPI OpenAsWindows95(LPCSTR path, DWORD access, DWORD share,
                              LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
                              HANDLE model)
{
    if (access == 0 || lstrcmpiA(path, unopenable.c_str()) == 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    return realCreateFile(path, access, share, security, disposition, flags, model);
}
