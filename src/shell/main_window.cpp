#include "shell/shell.h"

HINSTANCE AppInstance;
HWND MainWindow;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return 0;
}
