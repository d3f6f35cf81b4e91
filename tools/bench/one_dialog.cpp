// The start-up yardstick: a program that shows one modal dialog and nothing
// else, for the benchmark to compare Setup's time to its Welcome page with.
#include <cstddef>
#include <windows.h>

namespace {

// Not a message box: like Welcome, a modal #32770 dialog in MS Sans Serif 8 with an OK button.
struct alignas(4) Template {
    DLGTEMPLATE dialog;
    WORD menu, windowClass;
    WCHAR caption[8];
    WORD pointSize;
    WCHAR font[14];
    // Each item starts on a DWORD boundary; the header above ends on one.
    DLGITEMTEMPLATE item;
    WORD classMarker, classOrdinal;
    WCHAR text[3];
    WORD creationData;
};

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    static_assert(offsetof(Template, item) % 4 == 0, "dialog item must be DWORD-aligned");
    static Template t = {
        {WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER, 0, 1, 0, 0,
         249, 201},
        0,
        0,
        L"Welcome",
        8,
        L"MS Sans Serif",
        {WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 119, 180, 50, 14, IDOK},
        0xFFFF,
        0x0080,
        L"OK",
        0};
    return (int)DialogBoxIndirectParamA(instance, &t.dialog, NULL, DialogProcedure, 0);
}
