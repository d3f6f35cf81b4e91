#include "setup/setup.h"
#include "shell/shell.h"
#include "support/ui_script.h"
#include "support/wizard_sandbox.h"

#include <cstring>

namespace {

TEST(Registration, ExtendedOnlyOnTheWindows95FamilyFromVersion4)
{
    EXPECT_TRUE(UsesExtendedRegistration(0xC3B60004)) << "Windows 95";
    EXPECT_TRUE(UsesExtendedRegistration(0xC0000A04)) << "Windows 98";
    EXPECT_FALSE(UsesExtendedRegistration(0x05650004)) << "Windows NT 4";
    EXPECT_FALSE(UsesExtendedRegistration(0x04210333)) << "Windows NT 3.51";
    EXPECT_FALSE(UsesExtendedRegistration(0x80000A03)) << "Win32s on Windows 3.1";
}

TEST(Registration, TheExtendedPathRegistersTheClassWithItsIcon)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.hIcon = LoadIconA(windowClass.hInstance, "QVIkona");
    windowClass.lpszClassName = "ExtendedProbe";
    ASSERT_TRUE(windowClass.hIcon != NULL);
    EXPECT_NE(0, RegisterClassExtended(windowClass.hInstance, &windowClass));
    WNDCLASSEXA found = {};
    found.cbSize = sizeof found;
    EXPECT_TRUE(GetClassInfoExA(windowClass.hInstance, "ExtendedProbe", &found));
    EXPECT_EQ(windowClass.hIcon, found.hIcon);
    UnregisterClassA("ExtendedProbe", windowClass.hInstance);
}

class MainWindowTest : public WizardSandbox {
protected:
    void TearDown() override
    {
        if (running_)
            DestroyWindow(running_);
        UnregisterClassA("QSetup", GetModuleHandleA(NULL));
        WizardSandbox::TearDown();
    }

    // Stands in for the running instance's main window.
    HWND RunningCopy()
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(NULL);
        windowClass.lpszClassName = "QSetup";
        EXPECT_NE(0, RegisterClassA(&windowClass));
        running_ = CreateWindowExA(0, "QSetup", "Velmora Setup", WS_POPUP | WS_VISIBLE, 0, 0, 100,
                                   100, NULL, NULL, windowClass.hInstance, NULL);
        return running_;
    }

    static int StartAnother()
    {
        UiScript noPages({});
        return WinMain(GetModuleHandleA(NULL), NULL, (LPSTR) "", SW_SHOWNORMAL);
    }

    HWND running_ = NULL;
};

TEST_F(MainWindowTest, ASecondInstanceRestoresTheFirstAndEndsWithZero)
{
    HWND first = RunningCopy();
    ShowWindow(first, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(first));
    EXPECT_EQ(0, StartAnother());
    EXPECT_FALSE(IsIconic(first));
}

// A running copy shows a modal page over its disabled backdrop: the page is
// what comes forward, or the keyboard goes nowhere.
TEST_F(MainWindowTest, ASecondInstanceBringsForwardTheRunningCopysPage)
{
    HWND first = RunningCopy();
    HWND page = CreateWindowExA(0, "STATIC", "Welcome", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50,
                                first, NULL, GetModuleHandleA(NULL), NULL);
    SetForegroundWindow(page);
    EnableWindow(first, FALSE);
    HWND elsewhere = CreateWindowExA(0, "STATIC", "Another program", WS_POPUP | WS_VISIBLE, 0, 0,
                                     10, 10, NULL, NULL, GetModuleHandleA(NULL), NULL);
    SetForegroundWindow(elsewhere);
    ASSERT_EQ(elsewhere, GetForegroundWindow());
    EXPECT_EQ(0, StartAnother());
    EXPECT_EQ(page, GetForegroundWindow());
    DestroyWindow(elsewhere);
    DestroyWindow(page);
}

TEST_F(MainWindowTest, OnlyTheStartCommandRunsTheWizard)
{
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100, NULL, NULL,
                                  GetModuleHandleA(NULL), NULL);
    {
        UiScript noPages({});
        EXPECT_EQ(0, MainWndProc(window, WM_COMMAND, IDM_RUN_SETUP + 1, 0));
    }
    MSG quit;
    EXPECT_FALSE(PeekMessageA(&quit, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));

    UiScript script({{"Welcome", Click(IDCANCEL)}, {"Exit", Click(IDYES)}, {"Setup", Click(IDOK)}});
    EXPECT_EQ(1, MainWndProc(window, WM_COMMAND, IDM_RUN_SETUP, 0));
    EXPECT_TRUE(PeekMessageA(&quit, NULL, WM_QUIT, WM_QUIT, PM_REMOVE))
        << "the run ends the program";
    DestroyWindow(window);
}

}  // namespace
