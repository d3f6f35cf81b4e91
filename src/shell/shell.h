// Application shell: start-up, the full-screen main window and its backdrop.
#ifndef VELMORA_SHELL_H
#define VELMORA_SHELL_H

#include <windows.h>

// The program's module and its full-screen main window, owner of every page.
extern HINSTANCE AppInstance;
extern HWND MainWindow;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine,
                   int showCommand);

#endif
