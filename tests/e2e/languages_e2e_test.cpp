// The change-default branch of the real Setup.exe, checked value by value.
#include "e2e/driver.h"
#include "support/registry_sandbox.h"

#include <gtest/gtest.h>

namespace {

const char WORD[] = "SOFTWARE\\Microsoft\\Office\\8.0\\Word";
const char ACCESS[] = "SOFTWARE\\Microsoft\\Office\\8.0\\Access\\Speller";
const char POWERPOINT_NEW[] =
    "SOFTWARE\\Microsoft\\Office\\8.0\\New User Settings\\PowerPoint\\Options";
const char POWERPOINT_USER[] = "SOFTWARE\\Microsoft\\Office\\8.0\\PowerPoint\\Options";
const char EXCEL_NEW[] =
    "SOFTWARE\\Microsoft\\Office\\8.0\\New User Settings\\Excel\\Spell Checker";
const char EXCEL_USER[] = "SOFTWARE\\Microsoft\\Office\\8.0\\Excel\\Spell Checker";
const char OUTLOOK_NEW[] =
    "SOFTWARE\\Microsoft\\Office\\8.0\\New User Settings\\Outlook\\Options\\Spelling";
const char OUTLOOK_USER[] = "SOFTWARE\\Microsoft\\Office\\8.0\\Outlook\\Options\\Spelling";
const char SAVED[] = "SOFTWARE\\Quenra\\Nalvoro";
const int WORD_LIST = 1009, EXCEL_LIST = 1010, POWERPOINT_LIST = 1011, ACCESS_LIST = 1012,
          OUTLOOK_LIST = 1013, CHANGE_DEFAULT = 1003;

class ChangeDefault : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetOfficeRegistry();
        InstallOfficeApplications(true, true, true, true, true);
        SetRegString(HKEY_LOCAL_MACHINE,
                     "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Spelling\\4122\\Normal",
                     "Engine", "C:\\Proof\\MSPCR32.DLL");
        SetRegDword(HKEY_LOCAL_MACHINE, WORD, "Language ID", 1033);
        SetRegDword(HKEY_LOCAL_MACHINE, ACCESS, "Language ID", 3081);
        SetRegDword(HKEY_LOCAL_MACHINE, POWERPOINT_NEW, "Language Id", 1033);
        SetRegDword(HKEY_CURRENT_USER, POWERPOINT_USER, "Language Id", 2057);
        SetRegString(HKEY_LOCAL_MACHINE, EXCEL_NEW, "Speller", "1033\\Normal");
        SetRegString(HKEY_CURRENT_USER, OUTLOOK_USER, "Speller", "2057\\Normal");
    }
    void TearDown() override { ResetOfficeRegistry(); }

    // One run through the branch: the indexes shown, then those chosen.
    void Run(bool serbian, const std::vector<int>& shown, const std::vector<int>& chosen)
    {
        SetupProcess setup(distribution_);
        PassWelcomeAndLanguage(setup, serbian);
        if (HWND options =
                setup.WaitFor(serbian ? L"Instalacione opcije" : L"Installation Options"))
            Click(options, CHANGE_DEFAULT);
        HWND page = setup.WaitFor(serbian ? L"Izaberite osnovni jezik za pisanje"
                                          : L"Set Default Language");
        ASSERT_TRUE(page);
        const int lists[] = {WORD_LIST, EXCEL_LIST, POWERPOINT_LIST, ACCESS_LIST, OUTLOOK_LIST};
        for (int i = 0; i < 5; i++) {
            EXPECT_EQ(shown[i], ChosenIndex(page, lists[i])) << "list " << lists[i];
            EXPECT_EQ(5, ListCount(page, lists[i]));
            Choose(page, lists[i], chosen[i]);
        }
        EXPECT_EQ(L"Croatian       ", ListItem(page, WORD_LIST, 4));
        EXPECT_EQ(L"Croatian (B&H)    ", ListItem(page, WORD_LIST, 3));
        Click(page, IDOK);
        // No message follows: a message box would keep the program running.
        EXPECT_EQ(0, setup.WaitForExit());
    }

    void ExpectOriginalsSaved()
    {
        EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, SAVED, "OldLangWord", 1033);
        EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, SAVED, "OldLangExcel", 1033);
        EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, SAVED, "OldLangPowerPoint", 2057);
        EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, SAVED, "OldLangAccess", 3081);
        EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, SAVED, "OldLangOutlook", 2057);
        EXPECT_EQ(5, CountRegValues(HKEY_LOCAL_MACHINE, SAVED));
    }

    Distribution distribution_;
};

TEST_F(ChangeDefault, WritesEveryApplicationInItsOwnFormAndKeepsTheFirstOriginals)
{
    Run(false, {2, 2, 1, 0, 1}, {4, 3, 4, 4, 3});
    EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, WORD, "Language ID", 2074);
    EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, ACCESS, "Language ID", 2074);
    EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, POWERPOINT_NEW, "Language Id", 2074);
    EXPECT_REG_DWORD(HKEY_CURRENT_USER, POWERPOINT_USER, "Language Id", 2074);
    EXPECT_REG_SZ(HKEY_LOCAL_MACHINE, EXCEL_NEW, "Speller", "3098\\Normal");
    EXPECT_REG_SZ(HKEY_CURRENT_USER, EXCEL_USER, "Speller", "3098\\Normal");
    EXPECT_REG_SZ(HKEY_LOCAL_MACHINE, OUTLOOK_NEW, "Speller", "3098\\Normal");
    EXPECT_REG_SZ(HKEY_CURRENT_USER, OUTLOOK_USER, "Speller", "3098\\Normal");
    ExpectOriginalsSaved();

    // A second change starts from the written languages; the originals stay.
    Run(false, {4, 3, 4, 4, 3}, {1, 1, 1, 1, 1});
    EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, WORD, "Language ID", 2057);
    EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, ACCESS, "Language ID", 2057);
    EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, POWERPOINT_NEW, "Language Id", 2057);
    EXPECT_REG_DWORD(HKEY_CURRENT_USER, POWERPOINT_USER, "Language Id", 2057);
    EXPECT_REG_SZ(HKEY_LOCAL_MACHINE, EXCEL_NEW, "Speller", "2057\\Normal");
    EXPECT_REG_SZ(HKEY_CURRENT_USER, EXCEL_USER, "Speller", "2057\\Normal");
    EXPECT_REG_SZ(HKEY_LOCAL_MACHINE, OUTLOOK_NEW, "Speller", "2057\\Normal");
    EXPECT_REG_SZ(HKEY_CURRENT_USER, OUTLOOK_USER, "Speller", "2057\\Normal");
    ExpectOriginalsSaved();
}

TEST_F(ChangeDefault, WorksTheSameOnTheSerbianPages)
{
    Run(true, {2, 2, 1, 0, 1}, {4, 4, 4, 4, 4});
    EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, WORD, "Language ID", 2074);
    EXPECT_REG_DWORD(HKEY_CURRENT_USER, POWERPOINT_USER, "Language Id", 2074);
    EXPECT_REG_SZ(HKEY_LOCAL_MACHINE, EXCEL_NEW, "Speller", "2074\\Normal");
    EXPECT_REG_SZ(HKEY_CURRENT_USER, OUTLOOK_USER, "Speller", "2074\\Normal");
    ExpectOriginalsSaved();
}

}  // namespace
