#include "pages/pages.h"
#include "setup/setup.h"
#include "shell/shell.h"
#include "support/ui_script.h"
#include "support/wizard_sandbox.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

class Pages : public WizardSandbox {
protected:
    int Show(int baseId) { return ShowPage(baseId, PageProc, owner_); }
};

std::function<void(HWND)> Check(int id)
{
    return [id](HWND page) { SendDlgItemMessageA(page, id, BM_CLICK, 0, 0); };
}

TEST_F(Pages, SetupLanguageOkWithSerbianChosenSetsOffset100)
{
    UiScript script({{"Setup language", Then(Check(IDC_SERBIAN), Click(IDOK))}});
    EXPECT_EQ(PAGE_NEXT, Show(IDD_SETUP_LANGUAGE));
    EXPECT_EQ(100, SetupState.LanguageOffset);
}

TEST_F(Pages, SetupLanguagePreselectsEnglishEveryTime)
{
    SetupState.LanguageOffset = 100;
    bool englishChecked = false;
    UiScript script({{"Jezik instalacije", [&](HWND page) {
                          englishChecked = IsDlgButtonChecked(page, IDC_ENGLISH) == BST_CHECKED;
                          PostClick(page, IDOK);
                      }}});
    EXPECT_EQ(PAGE_NEXT, Show(IDD_SETUP_LANGUAGE));
    EXPECT_TRUE(englishChecked);
    EXPECT_EQ(0, SetupState.LanguageOffset);
}

TEST_F(Pages, SetupLanguageExitKeepsTheOffsetWhateverIsChecked)
{
    UiScript script({{"Setup language", Then(Check(IDC_SERBIAN), Click(IDCANCEL))}});
    EXPECT_EQ(PAGE_EXIT, Show(IDD_SETUP_LANGUAGE));
    EXPECT_EQ(0, SetupState.LanguageOffset);
}

TEST_F(Pages, DestinationShowsDestDirAndStoresTheTextOnOk)
{
    strcpy(SetupState.DestDir, "C:\\Old");
    std::string shown;
    UiScript script({{"File Destination", [&](HWND page) {
                          shown = ControlText(page, IDC_DEST_DIR);
                          Then(Type(IDC_DEST_DIR, "D:\\Proof"), Click(IDOK))(page);
                      }}});
    EXPECT_EQ(PAGE_NEXT, Show(IDD_DESTINATION));
    EXPECT_EQ("C:\\Old", shown);
    EXPECT_STREQ("D:\\Proof", SetupState.DestDir);
    EXPECT_EQ(0, SetupState.LanguageOffset);
}

TEST_F(Pages, DestinationStoresAnEmptyTextAndCutsALongOneAt511)
{
    strcpy(SetupState.DestDir, "C:\\Old");
    {
        UiScript script({{"File Destination", Then(Type(IDC_DEST_DIR, ""), Click(IDOK))}});
        Show(IDD_DESTINATION);
    }
    EXPECT_STREQ("", SetupState.DestDir);
    {
        UiScript script(
            {{"File Destination", Then(Type(IDC_DEST_DIR, std::string(600, 'd')), Click(IDOK))}});
        Show(IDD_DESTINATION);
    }
    EXPECT_EQ(std::string(511, 'd'), SetupState.DestDir);
}

TEST_F(Pages, DestinationExitStoresNothingEvenAfterEditing)
{
    strcpy(SetupState.DestDir, "C:\\Old");
    UiScript script(
        {{"File Destination", Then(Type(IDC_DEST_DIR, "D:\\Edited"), Click(IDCANCEL))}});
    EXPECT_EQ(PAGE_EXIT, Show(IDD_DESTINATION));
    EXPECT_STREQ("C:\\Old", SetupState.DestDir);
}

TEST_F(Pages, OptionsOffersRemoveAndChangeDefaultOnlyWithARegisteredComponent)
{
    struct Case {
        int speller, hyphenator;
        bool enabled;
    } cases[] = {{0, 0, false}, {1, 0, true}, {0, 1, true}, {1, 1, true}};
    for (const Case& c : cases) {
        SetupState.SpellerRegistered = c.speller;
        SetupState.HyphenatorRegistered = c.hyphenator;
        bool install = false, remove = !c.enabled, change = !c.enabled;
        UiScript script({{"Installation Options", [&](HWND page) {
                              install = IsControlEnabled(page, IDOK);
                              remove = IsControlEnabled(page, IDC_REMOVE);
                              change = IsControlEnabled(page, IDC_CHANGE_DEFAULT);
                              PostClick(page, IDCANCEL);
                          }}});
        Show(IDD_OPTIONS);
        EXPECT_TRUE(install);
        EXPECT_EQ(c.enabled, remove) << "speller " << c.speller << " hyphenator " << c.hyphenator;
        EXPECT_EQ(c.enabled, change) << "speller " << c.speller << " hyphenator " << c.hyphenator;
    }
}

TEST_F(Pages, OptionsEndsWithTheResultOfEachButton)
{
    SetupState.SpellerRegistered = 1;
    UiScript script({{"Installation Options", Click(IDOK)},
                     {"Installation Options", Click(IDC_REMOVE)},
                     {"Installation Options", Click(IDC_CHANGE_DEFAULT)},
                     {"Installation Options", Click(IDCANCEL)}});
    EXPECT_EQ(PAGE_NEXT, Show(IDD_OPTIONS));
    EXPECT_EQ(PAGE_REMOVE, Show(IDD_OPTIONS));
    EXPECT_EQ(PAGE_CHANGE_DEFAULT, Show(IDD_OPTIONS));
    EXPECT_EQ(PAGE_EXIT, Show(IDD_OPTIONS));
}

TEST_F(Pages, EscapeAndTheCloseBoxMeanExit)
{
    UiScript script({{"Welcome", [](HWND page) { PostMessageA(page, WM_SYSCOMMAND, SC_CLOSE, 0); }},
                     {"Applications Detected!", [](HWND page) {
                          PostMessageA(GetDlgItem(page, IDCANCEL), WM_KEYDOWN, VK_ESCAPE, 0);
                      }}});
    EXPECT_EQ(PAGE_EXIT, Show(IDD_WELCOME));
    EXPECT_EQ(PAGE_EXIT, Show(IDD_APPS_DETECTED));
}

// A quit that comes behind the click that ends the page (a shutdown) is
// Exit Setup all the same; it stays posted to end the program.
TEST_F(Pages, AQuitPostedAsThePageEndsMeansExit)
{
    UiScript script({{"Welcome", Then(Click(IDOK), [](HWND) { PostQuitMessage(5); })}});
    EXPECT_EQ(PAGE_EXIT, Show(IDD_WELCOME));
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(Pages, PagesWithoutTheirControlsChangeNeitherOffsetNorDestination)
{
    SetupState.LanguageOffset = 100;
    strcpy(SetupState.DestDir, "C:\\Kept");
    UiScript script({{"Instalacione opcije", Click(IDOK)}});
    Show(IDD_OPTIONS);
    EXPECT_EQ(100, SetupState.LanguageOffset);
    EXPECT_STREQ("C:\\Kept", SetupState.DestDir);
}

TEST_F(Pages, SerbianTemplatesAreTheEnglishIdsPlus100)
{
    SetupState.LanguageOffset = 100;
    UiScript script({{"Dobrodošli", Click(IDCANCEL)},
                     {"Odredište za datoteke", Click(IDCANCEL)},
                     {"Aplikacije detektovane!", Click(IDCANCEL)}});
    Show(IDD_WELCOME);
    Show(IDD_DESTINATION);
    Show(IDD_APPS_DETECTED);
}

TEST_F(Pages, ThePageIsCentredOverItsOwner)
{
    RECT page = {}, owner = {};
    UiScript script({{"Welcome", [&](HWND dialog) {
                          GetWindowRect(dialog, &page);
                          GetWindowRect(GetWindow(dialog, GW_OWNER), &owner);
                          PostClick(dialog, IDOK);
                      }}});
    Show(IDD_WELCOME);
    int width = page.right - page.left, height = page.bottom - page.top;
    EXPECT_EQ((1024 - width) / 2, page.left);
    EXPECT_EQ((768 - height) / 2, page.top);
}

RECT Rect(int left, int top, int right, int bottom)
{
    RECT r = {left, top, right, bottom};
    return r;
}

TEST(Centring, FollowsTheOwnerAndTruncatesTowardZero)
{
    POINT at = CenteredPosition(Rect(0, 0, 400, 300), Rect(0, 0, 1024, 768), Rect(0, 0, 1024, 738));
    EXPECT_EQ(312, at.x);
    EXPECT_EQ(234, at.y);
    // (95 - 100) / 2 is -2, not -3.
    at = CenteredPosition(Rect(0, 0, 100, 100), Rect(500, 500, 595, 595),
                          Rect(-1000, -1000, 2000, 2000));
    EXPECT_EQ(498, at.x);
}

TEST(Centring, KeepsThePageInsideTheWorkAreaWithOneCorrectionPerAxis)
{
    POINT at =
        CenteredPosition(Rect(0, 0, 200, 400), Rect(0, -300, 200, -100), Rect(0, 30, 1024, 738));
    EXPECT_EQ(30, at.y) << "above the work area's top";
    at = CenteredPosition(Rect(0, 0, 200, 400), Rect(0, 600, 200, 800), Rect(0, 30, 1024, 738));
    EXPECT_EQ(338, at.y) << "below its bottom";
    // Wider than the work area and not left of it: it ends at the right edge.
    at = CenteredPosition(Rect(0, 0, 1200, 100), Rect(100, 0, 1500, 768), Rect(0, 0, 1024, 738));
    EXPECT_EQ(-176, at.x);
    // Left of it: it starts at the left edge and runs past the right one.
    at = CenteredPosition(Rect(0, 0, 1200, 100), Rect(0, 0, 1024, 768), Rect(0, 0, 1024, 738));
    EXPECT_EQ(0, at.x);
}

}  // namespace
