// Wizard pages: page results, the common page procedure, centring, and the
// two pages with logic of their own.
#ifndef VELMORA_PAGES_H
#define VELMORA_PAGES_H

#include <windows.h>

#include "pages/page_ids.h"

// What a page ends with.
enum PageResult {
    PAGE_NEXT = 0,  // OK, or Install on the Installation Options page
    PAGE_EXIT = 1,  // Exit Setup, Escape or the close box
    PAGE_REMOVE = 2,
    PAGE_CHANGE_DEFAULT = 3
};

// Runs the page base id + LanguageOffset modally over owner; returns its page
// result, or -1 when the page cannot be created, or PAGE_EXIT once a quit is
// posted.
int ShowPage(int baseId, DLGPROC procedure, HWND owner);
// The same page opened modeless; its window, or NULL.
HWND OpenModelessPage(int baseId, DLGPROC procedure, HWND owner);

// Serves Welcome, Setup language, Installation Options, File Destination,
// the progress page and Applications Detected!.
INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The progress page: PageProc, but deaf to close requests and commands.
INT_PTR CALLBACK ProgressPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
// Whether a quit is posted to this thread: every modal loop then ends at once.
bool QuitPosted();

// Describe the PageProc page that opened last; one PageProc page is open at a time.
extern int HasLanguageChoice;
extern int HasDestination;

void CenterOverOwner(HWND page, HWND owner);

// Check boxes and radio buttons; any check state but unchecked counts.
void CheckButton(HWND page, int id);
bool IsButtonChecked(HWND page, int id);
// Where a page of the given rectangle goes over its owner, kept inside the
// work area with at most one correction per axis.
POINT CenteredPosition(const RECT& page, const RECT& owner, const RECT& workArea);

// Select Tools: the components to install and the space they need.
INT_PTR CALLBACK SelectToolsProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
// Free bytes on the drive named by the path's first character; -1 when the
// drive cannot be queried.
LONGLONG GetFreeDiskSpace(const char* path);
// A space figure as the page shows it: "%dKB" of any size without wrapping.
enum { SPACE_TEXT_SIZE = 20 };
void FormatKilobytes(char* text, ULONGLONG kilobytes);
// Whole KB free; nothing for a drive that cannot be queried.
ULONGLONG FreeKilobytes(LONGLONG freeBytes);

// Default Language: one list per Office application.
struct LanguageRow {
    const char* Name;
    int Lcid;
};
enum { LANGUAGE_ROWS = 5 };
extern const LanguageRow LanguageTable[LANGUAGE_ROWS];
INT_PTR CALLBACK DefaultLanguageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
void FillLanguageCombo(HWND list, int language);
int ReadLanguageCombo(HWND list, int current);

#endif
