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
// result, or -1 when the page cannot be created.
int ShowPage(int baseId, DLGPROC procedure, HWND owner);
// The same page opened modeless; its window, or NULL.
HWND OpenModelessPage(int baseId, DLGPROC procedure, HWND owner);

// Serves Welcome, Setup language, Installation Options, File Destination,
// the progress page and Applications Detected!.
INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Describe the PageProc page that opened last; one PageProc page is open at a time.
extern int HasLanguageChoice;
extern int HasDestination;

void CenterOverOwner(HWND page, HWND owner);
// Where a page of the given rectangle goes over its owner, kept inside the
// work area with at most one correction per axis.
POINT CenteredPosition(const RECT& page, const RECT& owner, const RECT& workArea);

INT_PTR CALLBACK SelectToolsProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK DefaultLanguageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

#endif
