#include "pages/pages.h"
#include "setup/setup.h"
#include "shell/shell.h"
#include "support/ui_script.h"
#include "support/wizard_sandbox.h"

#include <cstring>
#include <string>

namespace {

const char EXIT_QUESTION[] =
    "Are you sure you want to exit this Setup? Setup hasn't completed the installation of MS "
    "Proofing Tools!";
const char INTERRUPTED[] =
    "The Velmora Setup was interrupted before your software was fully installed.\n\nYou can run "
    "the Velmora Setup at any time to complete the installation.";
const char EXIT_QUESTION_SR[] =
    "Da li ste sigurni da želite da prekinete instalaciju? Instalacioni program nije završio sa "
    "instalacijom programa za proveru teksta!";
const char INTERRUPTED_SR[] =
    "Instalacija alatki za proveru teksta na srpskom jeziku je prekinuta pre nego što je program "
    "do kraja instaliran.\n\nMožete pokrenuti ovaj instalacioni program bilo kada kako biste "
    "završili instalaciju.";

class Wizard : public WizardSandbox {};

TEST_F(Wizard, AnOpenOfficeWindowShowsOnlyTheEnglishAppsDetectedPage)
{
    for (const char* className : {"OpusApp", "XLMAIN", "PP97FrameClass", "mspim_wnd32",
                                  "BinderFrame", "BS96SE", "MSOChart32"}) {
        SetupState.LanguageOffset = 0;
        OfficeWindow office(className);
        UiScript script({{"Applications Detected!", Click(IDCANCEL)}});
        EXPECT_EQ(-2, RunSetup(owner_)) << className;
        EXPECT_STREQ("", SetupState.SourceDir) << "nothing probed beside " << className;
    }
}

TEST_F(Wizard, ExitAnsweredNoShowsThePageAgainAndYesEndsTheRun)
{
    UiScript script({{"Welcome", Click(IDCANCEL)},
                     {"Exit", Answer(EXIT_QUESTION, IDNO)},
                     {"Welcome", Click(IDCANCEL)},
                     {"Exit", Answer(EXIT_QUESTION, IDYES)},
                     {"Setup", Answer(INTERRUPTED, IDOK)}});
    EXPECT_EQ(-1, RunSetup(owner_));
}

TEST_F(Wizard, AfterSerbianIsChosenEveryPageAndMessageIsSerbian)
{
    UiScript script({{"Welcome", Click(IDOK)},
                     {"Setup language",
                      [](HWND page) {
                          SendDlgItemMessageA(page, IDC_SERBIAN, BM_CLICK, 0, 0);
                          PostClick(page, IDOK);
                      }},
                     {"Instalacione opcije", Click(IDCANCEL)},
                     {"Prekid instalacije", Answer(EXIT_QUESTION_SR, IDNO)},
                     {"Instalacione opcije", Click(IDCANCEL)},
                     {"Prekid instalacije", Answer(EXIT_QUESTION_SR, IDYES)},
                     {"Instalacija", Answer(INTERRUPTED_SR, IDOK)}});
    EXPECT_EQ(-1, RunSetup(owner_));
    EXPECT_EQ(100, SetupState.LanguageOffset);
}

TEST_F(Wizard, LeavingTheLanguagePageShowsItAgainInEnglish)
{
    UiScript script({{"Welcome", Click(IDOK)},
                     {"Setup language",
                      [](HWND page) {
                          SendDlgItemMessageA(page, IDC_SERBIAN, BM_CLICK, 0, 0);
                          PostClick(page, IDCANCEL);
                      }},
                     {"Exit", Answer(EXIT_QUESTION, IDNO)},
                     {"Setup language",
                      [](HWND page) {
                          EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(page, IDC_ENGLISH));
                          PostClick(page, IDCANCEL);
                      }},
                     {"Exit", Answer(EXIT_QUESTION, IDYES)},
                     {"Setup", Click(IDOK)}});
    EXPECT_EQ(-1, RunSetup(owner_));
    EXPECT_EQ(0, SetupState.LanguageOffset);
}

TEST_F(Wizard, TheRunProbesBeforeTheFirstPage)
{
    SetRegString(HKEY_LOCAL_MACHINE,
                 "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Winword.EXE", "Path",
                 "C:\\Office");
    UiScript script({{"Welcome", Click(IDCANCEL)}, {"Exit", Click(IDYES)}, {"Setup", Click(IDOK)}});
    RunSetup(owner_);
    EXPECT_EQ(1, SetupState.WordInstalled);
    EXPECT_EQ(1, SetupState.InstallHyphenator);
    EXPECT_NE('\0', SetupState.SourceDir[0]);
}

// Welcome and Setup language accepted in English.
std::vector<UiStep> ToOptions()
{
    return {{"Welcome", Click(IDOK)}, {"Setup language", Click(IDOK)}};
}

std::vector<UiStep> operator+(std::vector<UiStep> first, const std::vector<UiStep>& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

TEST_F(Wizard, SelectToolsShownAgainAfterADeclinedExitShowsTheStateNotTheClicks)
{
    SetRegString(HKEY_LOCAL_MACHINE,
                 "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Winword.EXE", "Path",
                 "C:\\Office");
    UINT speller = 0, hyphenator = 0;
    UiScript script(ToOptions() +
                    std::vector<UiStep>{{"Installation Options", Click(IDOK)},
                                        {"Select Tools",
                                         [](HWND page) {
                                             SendDlgItemMessageA(page, IDC_SPELLER, BM_CLICK, 0, 0);
                                             SendDlgItemMessageA(page, IDC_HYPHENATOR, BM_CLICK, 0,
                                                                 0);
                                             PostClick(page, IDCANCEL);
                                         }},
                                        {"Exit", Click(IDNO)},
                                        {"Select Tools",
                                         [&](HWND page) {
                                             speller = IsDlgButtonChecked(page, IDC_SPELLER);
                                             hyphenator = IsDlgButtonChecked(page, IDC_HYPHENATOR);
                                             PostClick(page, IDOK);
                                         }},
                                        {"Set Default Language", Click(IDCANCEL)},
                                        {"Exit", Click(IDYES)},
                                        {"Setup", Click(IDOK)}});
    EXPECT_EQ(-1, RunSetup(owner_));
    EXPECT_EQ((UINT)BST_CHECKED, speller);
    EXPECT_EQ((UINT)BST_CHECKED, hyphenator);
}

TEST_F(Wizard, ChangeDefaultWritesTheChosenLanguagesWithoutAMessage)
{
    SetRegString(HKEY_LOCAL_MACHINE,
                 "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Winword.EXE", "Path",
                 "C:\\Office");
    SetRegString(HKEY_LOCAL_MACHINE,
                 "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Spelling\\4122\\Normal",
                 "Engine", "C:\\Proof\\MSPCR32.DLL");
    SetRegDword(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Office\\8.0\\Word", "Language ID", 1033);
    UiScript script(ToOptions() +
                    std::vector<UiStep>{{"Installation Options", Click(IDC_CHANGE_DEFAULT)},
                                        {"Set Default Language", [](HWND page) {
                                             SendDlgItemMessageA(page, IDC_WORD_LANG, CB_SETCURSEL,
                                                                 4, 0);
                                             PostClick(page, IDOK);
                                         }}});
    EXPECT_EQ(0, RunSetup(owner_));
    EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Office\\8.0\\Word", "Language ID",
                     2074);
    EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quenra\\Nalvoro", "OldLangWord", 1033);
}

}  // namespace
