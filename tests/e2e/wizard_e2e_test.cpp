// The real Setup.exe under Wine: start-up, the running-application check,
// leaving, and the choice of language.
#include "e2e/driver.h"
#include "support/office_keys.h"
#include "support/registry_sandbox.h"

#include <gtest/gtest.h>

namespace {

const wchar_t EXIT_QUESTION[] =
    L"Are you sure you want to exit this Setup? Setup hasn't completed the installation of MS "
    L"Proofing Tools!";
const wchar_t INTERRUPTED[] =
    L"The Velmora Setup was interrupted before your software was fully installed.\n\nYou can run "
    L"the Velmora Setup at any time to complete the installation.";
const wchar_t EXIT_QUESTION_SR[] =
    L"Da li ste sigurni da želite da prekinete instalaciju? Instalacioni program nije završio sa "
    L"instalacijom programa za proveru teksta!";
const wchar_t INTERRUPTED_SR[] =
    L"Instalacija alatki za proveru teksta na srpskom jeziku je prekinuta pre nego što je program "
    L"do kraja instaliran.\n\nMožete pokrenuti ovaj instalacioni program bilo kada kako biste "
    L"završili instalaciju.";

class WizardRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetOfficeRegistry();
        InstallOfficeApplications(true, true, true, true, true);
    }
    void TearDown() override { ResetOfficeRegistry(); }

    // Exit Setup, Yes, and the interruption notice.
    void Leave(SetupProcess& setup, HWND page, bool serbian)
    {
        Click(page, IDCANCEL);
        setup.Answer(serbian ? L"Prekid instalacije" : L"Exit",
                     serbian ? EXIT_QUESTION_SR : EXIT_QUESTION, IDYES);
        setup.Answer(serbian ? L"Instalacija" : L"Setup", serbian ? INTERRUPTED_SR : INTERRUPTED,
                     IDOK);
        EXPECT_EQ(0, setup.WaitForExit());
    }

    Distribution distribution_;
};

TEST_F(WizardRun, WithWordOpenOnlyTheEnglishAppsDetectedPageIsShown)
{
    std::string before = DumpProgramRegistry();
    OfficeWindow word("OpusApp");
    SetupProcess setup(distribution_);
    HWND page = setup.WaitFor(L"Applications Detected!");
    ASSERT_TRUE(page);
    EXPECT_EQ(L"Setup has determined that other applications are running. We recommend that you "
              L"close any open applications before continuing.",
              Text(page, 0xFFFF));
    EXPECT_EQ(L"Exit setup", Text(page, IDCANCEL));
    Click(page, IDCANCEL);
    EXPECT_EQ(0, setup.WaitForExit());
    EXPECT_EQ(before, DumpProgramRegistry());
}

TEST_F(WizardRun, ExitAnsweredNoShowsTheSamePageAndYesEndsTheRun)
{
    SetupProcess setup(distribution_);
    HWND welcome = setup.WaitFor(L"Welcome");
    ASSERT_TRUE(welcome);
    Click(welcome, IDCANCEL);
    setup.Answer(L"Exit", EXIT_QUESTION, IDNO);
    HWND again = setup.WaitFor(L"Welcome");
    ASSERT_TRUE(again);
    Leave(setup, again, false);
}

TEST_F(WizardRun, ChoosingSerbianMakesEveryLaterPageAndMessageSerbian)
{
    SetupProcess setup(distribution_);
    PassWelcomeAndLanguage(setup, true);
    HWND options = setup.WaitFor(L"Instalacione opcije");
    ASSERT_TRUE(options);
    EXPECT_EQ(L"Instaliraj", Text(options, IDOK));
    EXPECT_EQ(L"Prekid", Text(options, IDCANCEL));
    Click(options, IDCANCEL);
    setup.Answer(L"Prekid instalacije", EXIT_QUESTION_SR, IDNO);
    HWND again = setup.WaitFor(L"Instalacione opcije");
    ASSERT_TRUE(again);
    Leave(setup, again, true);
}

// Another product's tools for the same languages, or paths Setup never
// registers, are not Velmora: Remove would unregister them.
TEST_F(WizardRun, WithNothingOfItsOwnRegisteredOnlyInstallCanBeChosen)
{
    for (bool foreign : {false, true}) {
        if (foreign) {
            SetRegString(HKEY_LOCAL_MACHINE, SPELLING_1050_KEY, "Engine",
                         "C:\\Program Files\\Other\\HRSPELL.DLL");
            SetRegString(HKEY_LOCAL_MACHINE, SPELLING_1050_KEY, "Dictionary",
                         "C:\\Program Files\\Other\\HR.LEX");
            SetRegString(HKEY_LOCAL_MACHINE, SPELLING_4122_KEY, "Engine", "MSPCR32.DLL");
            SetRegString(HKEY_LOCAL_MACHINE, HYPHENATION_1050_KEY, "Engine",
                         "C:\\Program Files\\Other\\MSHYCR32.DLX");
            SetRegString(HKEY_LOCAL_MACHINE, HYPHENATION_4122_KEY, "Engine", "C:MSHYCR32.DLL");
        }
        std::string registry = DumpProgramRegistry();
        SetupProcess setup(distribution_);
        PassWelcomeAndLanguage(setup, false);
        HWND options = setup.WaitFor(L"Installation Options");
        ASSERT_TRUE(options);
        EXPECT_TRUE(Enabled(options, IDOK));
        EXPECT_FALSE(Enabled(options, 1002)) << "Remove";
        EXPECT_FALSE(Enabled(options, 1003)) << "Change Default";
        Leave(setup, options, false);
        EXPECT_EQ(registry, DumpProgramRegistry());
    }
}

TEST_F(WizardRun, ARegisteredSpellerOffersRemoveAndChangeDefault)
{
    SetRegString(HKEY_LOCAL_MACHINE,
                 "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Spelling\\1050\\Normal",
                 "Engine", "C:\\Proof\\MSPCR32.DLL");
    SetupProcess setup(distribution_);
    PassWelcomeAndLanguage(setup, false);
    HWND options = setup.WaitFor(L"Installation Options");
    ASSERT_TRUE(options);
    EXPECT_TRUE(Enabled(options, 1002));
    EXPECT_TRUE(Enabled(options, 1003));
    Leave(setup, options, false);
}

// Two starts at the same moment: the mutex held here stands for a first copy
// that has no window yet, and the second ends without showing anything.
TEST_F(WizardRun, ASecondInstanceBringsTheFirstForwardAndEndsAtOnce)
{
    HANDLE starting = CreateMutexA(NULL, FALSE, "Velmora Setup");
    {
        SetupProcess early(distribution_);
        EXPECT_EQ(0, early.WaitForExit());
        EXPECT_EQ(NULL, early.MainWindow());
    }
    CloseHandle(starting);
    SetupProcess first(distribution_);
    HWND welcome = first.WaitFor(L"Welcome");
    ASSERT_TRUE(welcome);
    ShowWindow(first.MainWindow(), SW_MINIMIZE);
    {
        SetupProcess second(distribution_);
        EXPECT_EQ(0, second.WaitForExit());
    }
    EXPECT_FALSE(IsIconic(first.MainWindow()));
    EXPECT_TRUE(first.Running());
    Leave(first, welcome, false);
}

// Raising the backdrop above its modal page would leave the keyboard
// nowhere: the page is what comes forward.
TEST_F(WizardRun, ASecondInstanceBringsForwardThePageOfTheFirst)
{
    SetupProcess first(distribution_);
    HWND welcome = first.WaitFor(L"Welcome");
    ASSERT_TRUE(welcome);
    HWND elsewhere = CreateWindowExA(0, "STATIC", "Another program", WS_POPUP | WS_VISIBLE, 0, 0,
                                     10, 10, NULL, NULL, GetModuleHandleA(NULL), NULL);
    SetForegroundWindow(elsewhere);
    {
        SetupProcess second(distribution_);
        EXPECT_EQ(0, second.WaitForExit());
    }
    // The first copy takes the foreground in its own message loop.
    for (int waited = 0; GetForegroundWindow() != welcome && waited < 2000; waited += 20)
        Sleep(20);
    EXPECT_EQ(welcome, GetForegroundWindow());
    DestroyWindow(elsewhere);
    Leave(first, welcome, false);
}

// Another program posts a quit to the wizard's thread: every page and box
// returns at once, and the run ends as a confirmed Exit Setup would, with
// nothing written.
TEST_F(WizardRun, APostedQuitEndsTheRunWithNothingWritten)
{
    std::string before = DumpProgramRegistry();
    TempFolder destination;
    for (bool atDestination : {false, true}) {
        SetupProcess setup(distribution_);
        if (atDestination) {
            HWND page = WalkToDestination(setup, Choices());
            ASSERT_TRUE(page);
            Type(page, IDC_DEST_DIR, destination.File("Proof"));
        } else {
            ASSERT_TRUE(setup.WaitFor(L"Welcome"));
        }
        setup.PostToThread(WM_QUIT, 7);
        EXPECT_EQ(0, setup.WaitForExit(10000)) << (atDestination ? "at the destination" : "");
        EXPECT_EQ(before, DumpProgramRegistry());
        EXPECT_FALSE(FileExists(destination.File("Proof")));
    }
}

TEST_F(WizardRun, AMinimisedStartWithArgumentsStillShowsTheMaximisedBackdrop)
{
    SetupProcess setup(distribution_, "/remove /q", SW_SHOWMINNOACTIVE);
    HWND welcome = setup.WaitFor(L"Welcome");
    ASSERT_TRUE(welcome);
    EXPECT_TRUE(IsZoomed(setup.MainWindow()));
    Leave(setup, welcome, false);
}

}  // namespace
