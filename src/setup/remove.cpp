#include "setup/setup.h"

// Nothing is removed yet.
int RemoveComponents(HWND)
{
    return 0;
}
