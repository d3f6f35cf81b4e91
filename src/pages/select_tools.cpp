#include "pages/pages.h"
#include "setup/setup.h"

namespace {

const int SPELLER_KB = 970;
const int HYPHENATOR_KB = 32;

typedef BOOL(WINAPI* GetDiskFreeSpaceExFunction)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER,
                                                 PULARGE_INTEGER);

void ShowRequiredSpace(HWND page)
{
    int required = 0;
    if (IsButtonChecked(page, IDC_SPELLER))
        required += SPELLER_KB;
    if (IsButtonChecked(page, IDC_HYPHENATOR))
        required += HYPHENATOR_KB;
    char text[SPACE_TEXT_SIZE];
    wsprintfA(text, "%dKB", required);
    SetDlgItemTextA(page, IDC_SPACE_REQUIRED, text);
}

void ShowAvailableSpace(HWND page)
{
    char text[SPACE_TEXT_SIZE];
    FormatKilobytes(text, FreeKilobytes(GetFreeDiskSpace(SetupState.DestDir)));
    SetDlgItemTextA(page, IDC_SPACE_AVAILABLE, text);
}

void InitSelectTools(HWND page)
{
    ShowWindow(page, SW_HIDE);
    CenterOverOwner(page, GetWindow(page, GW_OWNER));
    if (SetupState.InstallSpeller)
        CheckButton(page, IDC_SPELLER);
    if (SetupState.InstallHyphenator)
        CheckButton(page, IDC_HYPHENATOR);
    // Only Word uses a hyphenator; the box keeps its check state all the same.
    EnableWindow(GetDlgItem(page, IDC_HYPHENATOR), SetupState.WordInstalled != 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_SPELLER, 0), 0);
    ShowAvailableSpace(page);
    ShowWindow(page, SW_SHOW);
}

// The hyphenator box is read whether enabled or not.
void AcceptSelectTools(HWND page)
{
    SetupState.InstallSpeller = IsButtonChecked(page, IDC_SPELLER) ? 1 : 0;
    SetupState.InstallHyphenator = IsButtonChecked(page, IDC_HYPHENATOR) ? 1 : 0;
}

// Windows 95 before OSR2 lacks GetDiskFreeSpaceExA: importing it would stop
// the program from loading there.
GetDiskFreeSpaceExFunction FindGetDiskFreeSpaceEx()
{
    HMODULE kernel = GetModuleHandleA("KERNEL32");
    if (!kernel)
        return NULL;
    FARPROC found = GetProcAddress(kernel, "GetDiskFreeSpaceExA");
    return reinterpret_cast<GetDiskFreeSpaceExFunction>(reinterpret_cast<void*>(found));
}

}  // namespace

LONGLONG GetFreeDiskSpace(const char* path)
{
    if (!path[0])
        return -1;
    char root[] = "x:\\";
    root[0] = path[0];
    GetDiskFreeSpaceExFunction getFreeSpaceEx = FindGetDiskFreeSpaceEx();
    if (getFreeSpaceEx) {
        ULARGE_INTEGER available, total, free;
        if (!getFreeSpaceEx(root, &available, &total, &free))
            return -1;
        return free.QuadPart > (ULONGLONG)MAXLONGLONG ? MAXLONGLONG : (LONGLONG)free.QuadPart;
    }
    DWORD sectorsPerCluster, bytesPerSector, freeClusters, clusters;
    if (!GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters))
        return -1;
    return (LONGLONG)freeClusters * bytesPerSector * sectorsPerCluster;
}

ULONGLONG FreeKilobytes(LONGLONG freeBytes)
{
    return freeBytes < 0 ? 0 : (ULONGLONG)freeBytes >> 10;
}

namespace {

// Divides a number held as four 16-bit parts, most significant first, by 10
// in place and returns the remainder: 32-bit arithmetic only, which keeps
// the compiler's 64-bit division routines out of the program.
int DivideBy10(WORD parts[4])
{
    DWORD remainder = 0;
    for (int i = 0; i < 4; i++) {
        DWORD dividend = remainder << 16 | parts[i];
        parts[i] = (WORD)(dividend / 10);
        remainder = dividend % 10;
    }
    return (int)remainder;
}

bool IsZero(const WORD parts[4])
{
    return (parts[0] | parts[1] | parts[2] | parts[3]) == 0;
}

}  // namespace

// wsprintfA of Windows 95 knows no 64-bit conversion.  A LONGLONG of bytes
// is at most 16 digits of KB, so the text always fits.
void FormatKilobytes(char* text, ULONGLONG kilobytes)
{
    WORD parts[4] = {(WORD)(kilobytes >> 48), (WORD)(kilobytes >> 32), (WORD)(kilobytes >> 16),
                     (WORD)kilobytes};
    char digits[SPACE_TEXT_SIZE];
    int count = 0;
    do {
        digits[count++] = (char)('0' + DivideBy10(parts));
    } while (!IsZero(parts) && count < SPACE_TEXT_SIZE - 3);
    int length = 0;
    while (count)
        text[length++] = digits[--count];
    text[length++] = 'K';
    text[length++] = 'B';
    text[length] = '\0';
}

INT_PTR CALLBACK SelectToolsProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        InitSelectTools(page);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_SPELLER:
        case IDC_HYPHENATOR:
            ShowRequiredSpace(page);
            return FALSE;
        case IDOK:
            AcceptSelectTools(page);
            EndDialog(page, PAGE_NEXT);
            return TRUE;
        case IDCANCEL:
            EndDialog(page, PAGE_EXIT);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
