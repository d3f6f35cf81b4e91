#include "pages/pages.h"
#include "setup/setup.h"
#include "shell/shell.h"

int HasLanguageChoice;
int HasDestination;

namespace {

// One axis: centred over the owner (truncating toward zero), then moved
// inside [workStart, workEnd) by one correction at most.
int CenteredCoordinate(int ownerStart, int ownerSize, int pageSize, int workStart, int workEnd)
{
    int at = ownerStart + (ownerSize - pageSize) / 2;
    if (at < workStart)
        at = workStart;
    else if (at + pageSize > workEnd)
        at = workEnd - pageSize;
    return at;
}

void GetWorkArea(RECT* workArea)
{
    // Windows NT 3.51 has no work area to report.
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, workArea, 0)) {
        workArea->left = workArea->top = 0;
        workArea->right = GetSystemMetrics(SM_CXSCREEN);
        workArea->bottom = GetSystemMetrics(SM_CYSCREEN);
    }
}

void SetControlEnabled(HWND page, int id, BOOL enabled)
{
    EnableWindow(GetDlgItem(page, id), enabled);
}

void InitPage(HWND page)
{
    ShowWindow(page, SW_HIDE);
    CenterOverOwner(page, GetWindow(page, GW_OWNER));

    HasLanguageChoice = GetDlgItem(page, IDC_ENGLISH) != NULL;
    if (HasLanguageChoice)
        CheckButton(page, IDC_ENGLISH);

    HasDestination = GetDlgItem(page, IDC_DEST_DIR) != NULL;
    if (HasDestination)
        SetDlgItemTextA(page, IDC_DEST_DIR, SetupState.DestDir);

    // Remove and Change Default need one registered component, either one;
    // Remove also finishes what Setup's record names.
    if (GetDlgItem(page, IDC_REMOVE) && !SetupState.SpellerRegistered &&
        !SetupState.HyphenatorRegistered) {
        SetControlEnabled(page, IDC_REMOVE, SetupState.RecordHeld);
        SetControlEnabled(page, IDC_CHANGE_DEFAULT, FALSE);
    }
    ShowWindow(page, SW_SHOW);
}

void AcceptPage(HWND page)
{
    if (HasDestination)
        GetDlgItemTextA(page, IDC_DEST_DIR, SetupState.DestDir, PATH_BUFFER_SIZE);
    if (HasLanguageChoice)
        SetupState.LanguageOffset =
            IsButtonChecked(page, IDC_ENGLISH) ? 0 : LANGUAGE_OFFSET_SERBIAN;
}

}  // namespace

void CheckButton(HWND page, int id)
{
    SendDlgItemMessageA(page, id, BM_SETCHECK, BST_CHECKED, 0);
}

bool IsButtonChecked(HWND page, int id)
{
    return SendDlgItemMessageA(page, id, BM_GETCHECK, 0, 0) != BST_UNCHECKED;
}

bool QuitPosted()
{
    MSG message;
    return PeekMessageA(&message, NULL, WM_QUIT, WM_QUIT, PM_NOREMOVE) != 0;
}

int ShowPage(int baseId, DLGPROC procedure, HWND owner)
{
    int templateId = baseId + SetupState.LanguageOffset;
    int result =
        (int)DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(templateId), owner, procedure, 0);
    // A quit posted by another program ends every modal loop at once: taken
    // as Exit Setup, it ends the run instead of repeating the page for ever.
    return QuitPosted() ? PAGE_EXIT : result;
}

HWND OpenModelessPage(int baseId, DLGPROC procedure, HWND owner)
{
    int templateId = baseId + SetupState.LanguageOffset;
    return CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(templateId), owner, procedure, 0);
}

INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        InitPage(page);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            AcceptPage(page);
            EndDialog(page, PAGE_NEXT);
            return TRUE;
        case IDCANCEL:
            EndDialog(page, PAGE_EXIT);
            return TRUE;
        case IDC_REMOVE:
            EndDialog(page, PAGE_REMOVE);
            return TRUE;
        case IDC_CHANGE_DEFAULT:
            EndDialog(page, PAGE_CHANGE_DEFAULT);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

INT_PTR CALLBACK ProgressPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
    case WM_COMMAND:
        // The page has no buttons, and nothing a user does may hide it while
        // files copy: the copies go on behind it.
        return TRUE;
    }
    return PageProc(page, message, wParam, lParam);
}

POINT CenteredPosition(const RECT& page, const RECT& owner, const RECT& workArea)
{
    POINT at;
    at.x = CenteredCoordinate(owner.left, owner.right - owner.left, page.right - page.left,
                              workArea.left, workArea.right);
    at.y = CenteredCoordinate(owner.top, owner.bottom - owner.top, page.bottom - page.top,
                              workArea.top, workArea.bottom);
    return at;
}

void CenterOverOwner(HWND page, HWND owner)
{
    RECT pageRect, ownerRect, workArea;
    GetWindowRect(page, &pageRect);
    GetWindowRect(owner, &ownerRect);
    GetWorkArea(&workArea);
    POINT at = CenteredPosition(pageRect, ownerRect, workArea);
    SetWindowPos(page, NULL, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}
