// The change-default branch of the real Setup.exe, checked value by value.
#include "e2e/driver.h"
#include "support/office_keys.h"
#include "support/registry_sandbox.h"

#include <gtest/gtest.h>

namespace {

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
        SetRegDword(HKEY_LOCAL_MACHINE, WORD_KEY, "Language ID", 1033);
        SetRegDword(HKEY_LOCAL_MACHINE, ACCESS_KEY, "Language ID", 3081);
        SetRegDword(HKEY_LOCAL_MACHINE, POWERPOINT_NEW_KEY, "Language Id", 1033);
        SetRegDword(HKEY_CURRENT_USER, POWERPOINT_USER_KEY, "Language Id", 2057);
        SetRegString(HKEY_LOCAL_MACHINE, EXCEL_NEW_KEY, "Speller", "1033\\Normal");
        SetRegString(HKEY_CURRENT_USER, OUTLOOK_USER_KEY, "Speller", "2057\\Normal");
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
        EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, SAVED_KEY, "OldLangWord", 1033);
        EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, SAVED_KEY, "OldLangExcel", 1033);
        EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, SAVED_KEY, "OldLangPowerPoint", 2057);
        EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, SAVED_KEY, "OldLangAccess", 3081);
        EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, SAVED_KEY, "OldLangOutlook", 2057);
        EXPECT_EQ(5, CountRegValues(HKEY_LOCAL_MACHINE, SAVED_KEY));
    }

    Distribution distribution_;
};

TEST_F(ChangeDefault, WritesEveryApplicationInItsOwnFormAndKeepsTheFirstOriginals)
{
    Run(false, {2, 2, 1, 0, 1}, {4, 3, 4, 4, 3});
    EXPECT_LANGUAGES(2074, 2074, 2074, 3098, 3098);
    ExpectOriginalsSaved();

    // A second change starts from the written languages; the originals stay.
    Run(false, {4, 3, 4, 4, 3}, {1, 1, 1, 1, 1});
    EXPECT_LANGUAGES(2057, 2057, 2057, 2057, 2057);
    ExpectOriginalsSaved();
}

TEST_F(ChangeDefault, WorksTheSameOnTheSerbianPages)
{
    Run(true, {2, 2, 1, 0, 1}, {4, 4, 4, 4, 4});
    EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, WORD_KEY, "Language ID", 2074);
    EXPECT_REG_DWORD(HKEY_CURRENT_USER, POWERPOINT_USER_KEY, "Language Id", 2074);
    EXPECT_REG_SZ(HKEY_LOCAL_MACHINE, EXCEL_NEW_KEY, "Speller", "2074\\Normal");
    EXPECT_REG_SZ(HKEY_CURRENT_USER, OUTLOOK_USER_KEY, "Speller", "2074\\Normal");
    ExpectOriginalsSaved();
}

}  // namespace
