#include "pages/pages.h"
#include "setup/setup.h"
#include "shell/shell.h"
#include "support/ui_script.h"
#include "support/wizard_sandbox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

class SelectTools : public WizardSandbox {
protected:
    void SetUp() override
    {
        WizardSandbox::SetUp();
        strcpy(SetupState.DestDir, "C:\\Proof");
    }

    // Shows the page with the boxes as given and returns the required figure
    // after each click on the listed boxes, then presses the button.
    std::vector<std::string> Run(std::vector<int> clicks, int button)
    {
        std::vector<std::string> figures;
        UiScript script({{"Select Tools", [&](HWND page) {
                              figures.push_back(ControlText(page, IDC_SPACE_REQUIRED));
                              for (int id : clicks) {
                                  SendDlgItemMessageA(page, id, BM_CLICK, 0, 0);
                                  figures.push_back(ControlText(page, IDC_SPACE_REQUIRED));
                              }
                              available_ = ControlText(page, IDC_SPACE_AVAILABLE);
                              hyphenatorEnabled_ = IsControlEnabled(page, IDC_HYPHENATOR);
                              hyphenatorChecked_ = IsDlgButtonChecked(page, IDC_HYPHENATOR);
                              PostClick(page, button);
                          }}});
        result_ = ShowPage(IDD_SELECT_TOOLS, SelectToolsProc, owner_);
        return figures;
    }

    int result_ = -1;
    std::string available_;
    bool hyphenatorEnabled_ = false;
    UINT hyphenatorChecked_ = 0;
};

TEST_F(SelectTools, TheRequiredFigureFollowsEveryClick)
{
    SetupState.WordInstalled = 1;
    SetupState.InstallSpeller = 1;
    SetupState.InstallHyphenator = 1;
    std::vector<std::string> figures = Run({IDC_SPELLER, IDC_HYPHENATOR, IDC_SPELLER}, IDOK);
    EXPECT_EQ((std::vector<std::string>{"1002KB", "32KB", "0KB", "970KB"}), figures);
    EXPECT_EQ(PAGE_NEXT, result_);
    EXPECT_EQ(1, SetupState.InstallSpeller);
    EXPECT_EQ(0, SetupState.InstallHyphenator);
}

TEST_F(SelectTools, WithoutWordTheHyphenatorIsDisabledAndStaysUnchecked)
{
    SetupState.InstallSpeller = 1;
    SetupState.InstallHyphenator = 0;
    std::vector<std::string> figures = Run({}, IDOK);
    EXPECT_EQ("970KB", figures[0]);
    EXPECT_FALSE(hyphenatorEnabled_);
    EXPECT_EQ((UINT)BST_UNCHECKED, hyphenatorChecked_);
    EXPECT_EQ(0, SetupState.InstallHyphenator);
}

// The disabled box keeps a check the state asks for, and OK stores it.
TEST_F(SelectTools, ADisabledHyphenatorBoxIsStillReadOnOk)
{
    SetupState.InstallHyphenator = 1;
    std::vector<std::string> figures = Run({}, IDOK);
    EXPECT_EQ("32KB", figures[0]);
    EXPECT_FALSE(hyphenatorEnabled_);
    EXPECT_EQ(0, SetupState.InstallSpeller);
    EXPECT_EQ(1, SetupState.InstallHyphenator);
}

TEST_F(SelectTools, ExitStoresNothing)
{
    SetupState.WordInstalled = 1;
    SetupState.InstallSpeller = 1;
    SetupState.InstallHyphenator = 1;
    Run({IDC_SPELLER, IDC_HYPHENATOR}, IDCANCEL);
    EXPECT_EQ(PAGE_EXIT, result_);
    EXPECT_EQ(1, SetupState.InstallSpeller);
    EXPECT_EQ(1, SetupState.InstallHyphenator);
}

TEST_F(SelectTools, TheFreeFigureIsTheDestinationDrivesInWholeKB)
{
    LONGLONG before = GetFreeDiskSpace("C:\\Proof");
    Run({}, IDOK);
    LONGLONG after = GetFreeDiskSpace("C:\\Proof");
    ASSERT_GT(before, 0);
    ASSERT_GT(after, 0);
    // Other programs write to the drive meanwhile (builds, other tests): the
    // figure lies between the readings around the page, give or take 64 MB,
    // far closer than a figure in bytes, in MB or cut to 32 bits would.
    const double slackKb = 65536;
    double shown = std::stod(available_);
    EXPECT_GE(shown, (double)(std::min(before, after) / 1024) - slackKb) << available_;
    EXPECT_LE(shown, (double)(std::max(before, after) / 1024) + slackKb) << available_;
    EXPECT_EQ("KB", available_.substr(available_.size() - 2));
}

TEST_F(SelectTools, AnUnknownDriveOrANetworkPathShowsNoFreeSpace)
{
    strcpy(SetupState.DestDir, "Q:\\Proof");
    Run({}, IDOK);
    EXPECT_EQ("0KB", available_);
    strcpy(SetupState.DestDir, "\\\\server\\share\\Proof");
    Run({}, IDOK);
    EXPECT_EQ("0KB", available_);
    EXPECT_EQ(-1, GetFreeDiskSpace(""));
}

TEST(SpaceFigures, AreWholeKBWithoutWrapping)
{
    char text[SPACE_TEXT_SIZE];
    memset(text, 'Z', sizeof text);
    FormatKilobytes(text, FreeKilobytes(1023));
    EXPECT_STREQ("0KB", text);
    FormatKilobytes(text, FreeKilobytes(-1));
    EXPECT_STREQ("0KB", text);
    FormatKilobytes(text, FreeKilobytes(2147483648LL));
    EXPECT_STREQ("2097152KB", text) << "exactly 2 GB";
    FormatKilobytes(text, FreeKilobytes(5LL << 40));
    EXPECT_STREQ("5368709120KB", text) << "5 TB";
    FormatKilobytes(text, FreeKilobytes(MAXLONGLONG));
    EXPECT_STREQ("9007199254740991KB", text) << "the largest figure still fits";
}

}  // namespace
