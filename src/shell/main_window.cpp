#include "setup/setup.h"
#include "shell/shell.h"

// After windows.h, which it needs.
#include <commctrl.h>

HINSTANCE AppInstance;
HWND MainWindow;

namespace {

const char CLASS_ICON[] = "QVIkona";
// Looked for by the extended registration only; the program has none, so the
// system derives the small icon from the class icon.
const char SMALL_ICON[] = "SMALL";
// No such table exists; the loop offers every message to it all the same.
const char ACCELERATORS[] = "QSetup";
const DWORD WIN95_FAMILY_BIT = 0x80000000;

// The running copy's page, not its backdrop: Wine raises a window given the
// foreground above its modal page, and the keyboard then goes nowhere.
void BringForward(HWND running)
{
    if (IsIconic(running))
        ShowWindow(running, SW_RESTORE);
    SetForegroundWindow(GetLastActivePopup(running));
}

void FillMainClass(HINSTANCE instance, WNDCLASSA* windowClass)
{
    windowClass->style = 0;
    windowClass->lpfnWndProc = MainWndProc;
    windowClass->cbClsExtra = 0;
    windowClass->cbWndExtra = 0;
    windowClass->hInstance = instance;
    windowClass->hIcon = LoadIconA(instance, CLASS_ICON);
    windowClass->hCursor = LoadCursorA(NULL, IDC_ARROW);
    windowClass->hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass->lpszMenuName = NULL;
    windowClass->lpszClassName = MAIN_CLASS_NAME;
}

void RunMessageLoop(HACCEL accelerators)
{
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        if (!TranslateAcceleratorA(message.hwnd, accelerators, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

// Two starts at the same moment would both miss the other's window; a named
// mutex is made or found in one step.
bool AnotherCopyStarted()
{
    // Left open on purpose: the mutex lives as long as this process.
    HANDLE mutex = CreateMutexA(NULL, FALSE, APP_TITLE);
    // cppcheck-suppress resourceLeak
    return mutex && GetLastError() == ERROR_ALREADY_EXISTS;
}

bool BringForwardRunningCopy()
{
    HWND running = FindWindowA(MAIN_CLASS_NAME, NULL);
    if (running)
        BringForward(running);
    return running != NULL;
}

}  // namespace

bool UsesExtendedRegistration(DWORD versionWord)
{
    bool windows95Family = (versionWord & WIN95_FAMILY_BIT) != 0;
    return windows95Family && LOBYTE(LOWORD(versionWord)) >= 4;
}

ATOM RegisterClassExtended(HINSTANCE instance, const WNDCLASSA* windowClass)
{
    // Windows NT 3.51 lacks RegisterClassExA: importing it would stop the
    // program from loading there.
    typedef ATOM(WINAPI * RegisterClassExFunction)(const WNDCLASSEXA*);
    HMODULE user = GetModuleHandleA("USER32");
    FARPROC found = user ? GetProcAddress(user, "RegisterClassExA") : NULL;
    RegisterClassExFunction registerEx =
        reinterpret_cast<RegisterClassExFunction>(reinterpret_cast<void*>(found));
    if (!registerEx)
        return RegisterClassA(windowClass);

    WNDCLASSEXA extended;
    extended.cbSize = sizeof extended;  // 48 bytes in the 32-bit program
    extended.style = windowClass->style;
    extended.lpfnWndProc = windowClass->lpfnWndProc;
    extended.cbClsExtra = windowClass->cbClsExtra;
    extended.cbWndExtra = windowClass->cbWndExtra;
    extended.hInstance = windowClass->hInstance;
    extended.hIcon = windowClass->hIcon;
    extended.hCursor = windowClass->hCursor;
    extended.hbrBackground = windowClass->hbrBackground;
    extended.lpszMenuName = windowClass->lpszMenuName;
    extended.lpszClassName = windowClass->lpszClassName;
    extended.hIconSm = LoadIconA(instance, SMALL_ICON);
    return registerEx(&extended);
}

WORD RegisterMainClass(HINSTANCE instance)
{
    if (BringForwardRunningCopy())
        return 0;
    WNDCLASSA windowClass;
    FillMainClass(instance, &windowClass);
    ATOM atom = UsesExtendedRegistration(GetVersion())
                    ? RegisterClassExtended(instance, &windowClass)
                    : RegisterClassA(&windowClass);
    return LOWORD(atom);
}

int CreateMainWindow(HINSTANCE instance, int)
{
    AppInstance = instance;
    MainWindow =
        CreateWindowExA(0, MAIN_CLASS_NAME, APP_TITLE, WS_POPUP | WS_VISIBLE, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, instance, NULL);
    if (!MainWindow)
        return 0;
    // Always maximised, whatever the shortcut asked for.
    ShowWindow(MainWindow, SW_SHOWMAXIMIZED);
    UpdateWindow(MainWindow);
    return 1;
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        // While files copy the backdrop is enabled: Alt+F4 or Close would end
        // the run unseen, half done.  Leaving is what the pages offer.
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        PaintBackdrop(window, dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDM_RUN_SETUP) {
            RunSetup(window);
            PostQuitMessage(0);
            return 1;
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The signature is the platform's.
// cppcheck-suppress constParameter
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR, int showCommand)
{
    SetupState.LanguageOffset = 0;
    if (AnotherCopyStarted()) {
        BringForwardRunningCopy();
        return 0;
    }
    if (!previousInstance && !RegisterMainClass(instance))
        return 0;
    if (!CreateMainWindow(instance, showCommand))
        return 0;
    HACCEL accelerators = LoadAcceleratorsA(instance, ACCELERATORS);
    // Makes the progress bar class of the install operation available.
    InitCommonControls();
    PostMessageA(MainWindow, WM_COMMAND, IDM_RUN_SETUP, 0);
    RunMessageLoop(accelerators);
    // A quit posted by another program carries its own code: the exit code is always 0.
    return 0;
}
