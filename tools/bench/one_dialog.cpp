// The first start-up yardstick: a program that shows one modal dialog and
// nothing else, for the benchmark to compare Setup's time to its Welcome
// page with.
#include "welcome_dialog.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return (int)DialogBoxIndirectParamA(instance, &WELCOME_TEMPLATE.dialog, NULL, WelcomeProcedure,
                                        0);
}
