#include "support/wizard_sandbox.h"

#include "setup/setup.h"
#include "shell/shell.h"
#include "support/ui_script.h"

#include <commctrl.h>
#include <cstring>

void WizardSandbox::SetUp()
{
    RegistrySandbox::SetUp();
    memset(&SetupState, 0, sizeof SetupState);
    AppInstance = GetModuleHandleA(NULL);
    InitCommonControls();
    owner_ = CreateOwnerWindow();
}

void WizardSandbox::TearDown()
{
    DestroyWindow(owner_);
    RegistrySandbox::TearDown();
}
