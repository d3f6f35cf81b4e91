// The dialog every start-up yardstick shows: like Welcome, a modal #32770
// dialog in MS Sans Serif 8 with an OK button, of Welcome's size.  Not a
// message box, whose layout work Setup does not do.
#pragma once

#include <cstddef>
#include <windows.h>

struct alignas(4) WelcomeTemplate {
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
static_assert(offsetof(WelcomeTemplate, item) % 4 == 0, "dialog item must be DWORD-aligned");

// Centred over its owner, as Setup's pages are over the backdrop.
static const WelcomeTemplate WELCOME_TEMPLATE = {
    {WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER, 0, 1, 0, 0, 249,
     201},
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

inline INT_PTR CALLBACK WelcomeProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}
