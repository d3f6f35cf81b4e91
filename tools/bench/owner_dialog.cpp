// The second start-up yardstick: the structure Setup cannot do without and
// nothing else.  Like Setup it has no C runtime, imports the same DLLs,
// registers a window class, shows a blank full-screen owner window and
// readies the common controls; over the owner it shows the same one dialog
// as one_dialog.  Built without the owner window as well (imports_dialog),
// so that the benchmark can tell what the imports cost from what the
// full-screen surface costs.
#include "welcome_dialog.h"

// After windows.h, which it needs.
#include <commctrl.h>

#ifndef VELMORA_NO_OWNER
namespace {

const char CLASS_NAME[] = "VelmoraYardstick";

LRESULT CALLBACK OwnerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace
#endif

// i386 Windows enters with a 4-byte aligned stack.
extern "C" __attribute__((force_align_arg_pointer)) void YardstickStartup()
{
    HINSTANCE instance = GetModuleHandleA(NULL);
    // Never true: the calls only make the loader map ADVAPI32 and VERSION,
    // whose registry and language-name work Setup does and a yardstick must not.
    if (GetVersion() == 0) {
        RegCloseKey(HKEY_CURRENT_USER);
        VerLanguageNameA(0, NULL, 0);
    }
    HWND owner = NULL;
#ifndef VELMORA_NO_OWNER
    WNDCLASSA windowClass;
    windowClass.style = 0;
    windowClass.lpfnWndProc = OwnerProcedure;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = instance;
    windowClass.hIcon = NULL;
    windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszMenuName = NULL;
    windowClass.lpszClassName = CLASS_NAME;
    if (RegisterClassA(&windowClass))
        owner = CreateWindowExA(0, CLASS_NAME, "Yardstick", WS_POPUP | WS_VISIBLE, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, instance,
                                NULL);
    if (owner) {
        ShowWindow(owner, SW_SHOWMAXIMIZED);
        UpdateWindow(owner);
    }
#else
    // The same imports without the window: GDI32 stays in use.
    GetStockObject(WHITE_BRUSH);
#endif
    InitCommonControls();
    ExitProcess((UINT)DialogBoxIndirectParamA(instance, &WELCOME_TEMPLATE.dialog, owner,
                                              WelcomeProcedure, 0));
}
