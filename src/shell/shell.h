// Application shell: start-up, the single-instance rule, the full-screen main
// window and its painted backdrop.
#ifndef VELMORA_SHELL_H
#define VELMORA_SHELL_H

#include <windows.h>

// Posted by start-up to the main window; its handler runs the whole wizard.
enum { IDM_RUN_SETUP = 1000 };

// The main window's class; also how a second instance finds the first.
inline constexpr char MAIN_CLASS_NAME[] = "QSetup";
// The main window's title, painted on the backdrop too.
inline constexpr char APP_TITLE[] = "Velmora Setup";

// The program's module and its full-screen main window, owner of every page.
extern HINSTANCE AppInstance;
extern HWND MainWindow;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine,
                   int showCommand);
// The class atom; 0 when another instance runs (it is brought forward) or
// registration failed.
WORD RegisterMainClass(HINSTANCE instance);
int CreateMainWindow(HINSTANCE instance, int showCommand);
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Whether the version word of GetVersion calls for RegisterClassExA: the
// Windows 95 family from version 4 on.
bool UsesExtendedRegistration(DWORD versionWord);
// RegisterClassExA looked up at run time, with RegisterClassA as fallback.
ATOM RegisterClassExtended(HINSTANCE instance, const WNDCLASSA* windowClass);

void PaintBackdrop(HWND window, HDC dc);
// Copies the tile over width x height from the top left; returns the number
// of copies.  A tile without width or height is never tiled.
int TileBackdrop(HDC dc, HDC tileDc, int tileWidth, int tileHeight, int width, int height);

#endif
