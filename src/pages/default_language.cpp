#include "pages/pages.h"
#include "registry/registry.h"
#include "registry/registry_map.h"
#include "setup/setup.h"

// Every list offers these rows in this order; the two Croatian names are the
// ones Setup registers for its languages, trailing blanks included.
// clang-format off
const LanguageRow LanguageTable[LANGUAGE_ROWS] = {
    {"English (Australian)", 3081},
    {"English (British)", 2057},
    {"English (United States)", 1033},
    {NAME_LANGUAGE_1050, LCID_CROATIAN_BH},
    {NAME_LANGUAGE_4122, LCID_CROATIAN},
};
// clang-format on

namespace {

// The index of the item that stands for a language outside the table.
const int OTHER_LANGUAGE_ITEM = LANGUAGE_ROWS;
enum { LANGUAGE_NAME_SIZE = 256 };

struct ApplicationLanguage {
    int ListId;
    int* Installed;
    int* Current;
    int* Previous;
};

const ApplicationLanguage APPLICATIONS[] = {
    {IDC_WORD_LANG, &SetupState.WordInstalled, &SetupState.WordLang, &SetupState.PrevWordLang},
    {IDC_EXCEL_LANG, &SetupState.ExcelInstalled, &SetupState.ExcelLang, &SetupState.PrevExcelLang},
    {IDC_POWERPOINT_LANG, &SetupState.PowerPointInstalled, &SetupState.PowerPointLang,
     &SetupState.PrevPowerPointLang},
    {IDC_ACCESS_LANG, &SetupState.AccessInstalled, &SetupState.AccessLang,
     &SetupState.PrevAccessLang},
    {IDC_OUTLOOK_LANG, &SetupState.OutlookInstalled, &SetupState.OutlookLang,
     &SetupState.PrevOutlookLang},
};

int TableIndexOf(int language)
{
    for (int i = 0; i < LANGUAGE_ROWS; i++) {
        if (LanguageTable[i].Lcid == language)
            return i;
    }
    return OTHER_LANGUAGE_ITEM;
}

// The registry is read afresh at every showing, so a declined exit brings
// back the languages in effect, not earlier choices.
void InitDefaultLanguage(HWND page)
{
    ShowWindow(page, SW_HIDE);
    CenterOverOwner(page, GetWindow(page, GW_OWNER));
    ReadCurrentLanguages();
    for (const ApplicationLanguage& application : APPLICATIONS)
        FillLanguageCombo(GetDlgItem(page, application.ListId), *application.Current);
    for (const ApplicationLanguage& application : APPLICATIONS)
        EnableWindow(GetDlgItem(page, application.ListId), *application.Installed != 0);
    ShowWindow(page, SW_SHOW);
}

// All five previous languages are kept; only installed applications take
// the choice of their list.
void AcceptDefaultLanguage(HWND page)
{
    for (const ApplicationLanguage& application : APPLICATIONS)
        *application.Previous = *application.Current;
    for (const ApplicationLanguage& application : APPLICATIONS) {
        if (*application.Installed)
            *application.Current =
                ReadLanguageCombo(GetDlgItem(page, application.ListId), *application.Current);
    }
}

}  // namespace

void FillLanguageCombo(HWND list, int language)
{
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (const LanguageRow& row : LanguageTable)
        SendMessageA(list, CB_ADDSTRING, 0, (LPARAM)row.Name);
    int selected = TableIndexOf(language);
    if (selected == OTHER_LANGUAGE_ITEM) {
        char name[LANGUAGE_NAME_SIZE];
        name[0] = '\0';
        VerLanguageNameA((DWORD)language, name, sizeof name);
        SendMessageA(list, CB_ADDSTRING, 0, (LPARAM)name);
    }
    SendMessageA(list, CB_SETCURSEL, selected, 0);
}

// The sixth item, or no selection, keeps the application's language.
int ReadLanguageCombo(HWND list, int current)
{
    int selected = (int)SendMessageA(list, CB_GETCURSEL, 0, 0);
    if (selected < 0 || selected >= LANGUAGE_ROWS)
        return current;
    return LanguageTable[selected].Lcid;
}

INT_PTR CALLBACK DefaultLanguageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        InitDefaultLanguage(page);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            AcceptDefaultLanguage(page);
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
