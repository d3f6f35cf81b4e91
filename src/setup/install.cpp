#include "setup/setup.h"

// Nothing is installed yet.
int InstallComponents(HWND)
{
    return 0;
}
