#include "pages/pages.h"

// Accepts at once until the page gets its own behaviour.
INT_PTR CALLBACK DefaultLanguageProc(HWND page, UINT message, WPARAM, LPARAM)
{
    if (message == WM_INITDIALOG) {
        EndDialog(page, PAGE_NEXT);
        return TRUE;
    }
    return FALSE;
}
