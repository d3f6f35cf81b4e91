// The ground for tests of pages and operations in the test's own process:
// the registry sandbox, a fresh SetupState, the test program (with Setup's
// resources) as AppInstance, and a window standing in for the main window.
#ifndef VELMORA_TESTS_WIZARD_SANDBOX_H
#define VELMORA_TESTS_WIZARD_SANDBOX_H

#include "support/registry_sandbox.h"

class WizardSandbox : public RegistrySandbox {
protected:
    void SetUp() override;
    void TearDown() override;

    HWND owner_ = NULL;
};

#endif
