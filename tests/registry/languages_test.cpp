#include "registry/registry.h"
#include "setup/setup.h"
#include "support/office_keys.h"
#include "support/registry_sandbox.h"

#include <cstring>
#include <string>

namespace {

// Spelled out here as Office spells them, independently of the program.

class Languages : public RegistrySandbox {
protected:
    void SetUp() override
    {
        RegistrySandbox::SetUp();
        memset(&SetupState, 0, sizeof SetupState);
    }

    static void InstallAllApplications()
    {
        SetupState.WordInstalled = SetupState.ExcelInstalled = SetupState.PowerPointInstalled =
            SetupState.AccessInstalled = SetupState.OutlookInstalled = 1;
    }

    static void ChooseForAll(int language, int previous)
    {
        SetupState.WordLang = SetupState.ExcelLang = SetupState.PowerPointLang =
            SetupState.AccessLang = SetupState.OutlookLang = language;
        SetupState.PrevWordLang = SetupState.PrevExcelLang = SetupState.PrevPowerPointLang =
            SetupState.PrevAccessLang = SetupState.PrevOutlookLang = previous;
    }
};

TEST_F(Languages, WithoutAnySettingsEveryApplicationIs1060)
{
    ReadCurrentLanguages();
    EXPECT_EQ(1060, SetupState.WordLang);
    EXPECT_EQ(1060, SetupState.ExcelLang);
    EXPECT_EQ(1060, SetupState.PowerPointLang);
    EXPECT_EQ(1060, SetupState.AccessLang);
    EXPECT_EQ(1060, SetupState.OutlookLang);
}

TEST_F(Languages, ReadsEachApplicationFromItsOwnValue)
{
    SetRegDword(HKEY_LOCAL_MACHINE, WORD_KEY, "Language ID", 1033);
    SetRegDword(HKEY_LOCAL_MACHINE, ACCESS_KEY, "Language ID", 2057);
    SetRegDword(HKEY_LOCAL_MACHINE, POWERPOINT_NEW_KEY, "Language Id", 3081);
    SetRegString(HKEY_LOCAL_MACHINE, EXCEL_NEW_KEY, "Speller", "3098\\Normal");
    SetRegString(HKEY_LOCAL_MACHINE, OUTLOOK_NEW_KEY, "Speller", "2074\\Normal");
    ReadCurrentLanguages();
    EXPECT_EQ(1033, SetupState.WordLang);
    EXPECT_EQ(2057, SetupState.AccessLang);
    EXPECT_EQ(3081, SetupState.PowerPointLang);
    EXPECT_EQ(3098, SetupState.ExcelLang);
    EXPECT_EQ(2074, SetupState.OutlookLang);
}

TEST_F(Languages, PerUserPowerPointSettingWinsOverNewUserOne)
{
    SetRegDword(HKEY_LOCAL_MACHINE, POWERPOINT_NEW_KEY, "Language Id", 1033);
    ReadCurrentLanguages();
    EXPECT_EQ(1033, SetupState.PowerPointLang);
    SetRegDword(HKEY_CURRENT_USER, POWERPOINT_USER_KEY, "Language Id", 2057);
    ReadCurrentLanguages();
    EXPECT_EQ(2057, SetupState.PowerPointLang);
}

TEST_F(Languages, PerUserTextSettingWinsOnlyWhenItYieldsALanguage)
{
    SetRegString(HKEY_LOCAL_MACHINE, EXCEL_NEW_KEY, "Speller", "1033\\Normal");
    SetRegString(HKEY_CURRENT_USER, EXCEL_USER_KEY, "Speller", "2074\\Normal");
    SetRegString(HKEY_LOCAL_MACHINE, OUTLOOK_NEW_KEY, "Speller", "3081\\Normal");
    SetRegString(HKEY_CURRENT_USER, OUTLOOK_USER_KEY, "Speller", "0\\Normal");
    ReadCurrentLanguages();
    EXPECT_EQ(2074, SetupState.ExcelLang);
    EXPECT_EQ(3081, SetupState.OutlookLang);
}

TEST_F(Languages, TextSettingCountsOnlyItsFirstFiveCharacters)
{
    SetRegString(HKEY_CURRENT_USER, EXCEL_USER_KEY, "Speller", "123456\\Normal");
    SetRegString(HKEY_CURRENT_USER, OUTLOOK_USER_KEY, "Speller", "Normal");
    ReadCurrentLanguages();
    EXPECT_EQ(12345, SetupState.ExcelLang);
    EXPECT_EQ(1060, SetupState.OutlookLang);
}

TEST_F(Languages, TextSettingTooLongForItsBufferChangesNothing)
{
    SetRegString(HKEY_LOCAL_MACHINE, EXCEL_NEW_KEY, "Speller", "2057\\Normal");
    SetRegString(HKEY_CURRENT_USER, EXCEL_USER_KEY, "Speller", "2074" + std::string(296, 'x'));
    SetRegString(HKEY_CURRENT_USER, OUTLOOK_USER_KEY, "Speller", "2074" + std::string(251, 'x'));
    ReadCurrentLanguages();
    EXPECT_EQ(2057, SetupState.ExcelLang);
    EXPECT_EQ(2074, SetupState.OutlookLang) << "255 characters still fit";
}

TEST_F(Languages, DwordSettingIsTakenAsStoredEvenZero)
{
    SetRegDword(HKEY_LOCAL_MACHINE, WORD_KEY, "Language ID", 0);
    SetRegString(HKEY_LOCAL_MACHINE, ACCESS_KEY, "Language ID", "1033\\Normal");
    ReadCurrentLanguages();
    EXPECT_EQ(0, SetupState.WordLang);
    EXPECT_EQ(1060, SetupState.AccessLang) << "a text longer than four bytes cannot be read";
}

TEST_F(Languages, ParseSkipsBlanksAndTakesASign)
{
    EXPECT_EQ(2074, ParseLanguageText("2074\\Normal"));
    EXPECT_EQ(207, ParseLanguageText("  2074"));
    EXPECT_EQ(2074, ParseLanguageText(" 2074"));
    EXPECT_EQ(-12, ParseLanguageText("-12ab"));
    EXPECT_EQ(0, ParseLanguageText(""));
    EXPECT_EQ(0, ParseLanguageText("+"));
}

TEST_F(Languages, ApplyWritesNothingWhileNoSpellerIsRegistered)
{
    InstallAllApplications();
    ChooseForAll(2074, 1033);
    EXPECT_EQ(0, ApplyDefaultLanguages());
    EXPECT_REG_KEY(HKEY_LOCAL_MACHINE, "SOFTWARE", false);
    EXPECT_REG_KEY(HKEY_CURRENT_USER, "SOFTWARE", false);
}

TEST_F(Languages, ApplyWritesBothFormsAndSavesTheOriginals)
{
    InstallAllApplications();
    SetupState.SpellerRegistered = 1;
    ChooseForAll(2074, 1033);
    SetupState.ExcelLang = 3098;
    SetupState.PrevExcelLang = 2057;
    EXPECT_EQ(0, ApplyDefaultLanguages());
    EXPECT_LANGUAGES(2074, 2074, 2074, 3098, 2074);
    EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, SAVED_KEY, "OldLangWord", 1033);
    EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, SAVED_KEY, "OldLangExcel", 2057);
    EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, SAVED_KEY, "OldLangPowerPoint", 1033);
    EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, SAVED_KEY, "OldLangAccess", 1033);
    EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, SAVED_KEY, "OldLangOutlook", 1033);
    EXPECT_EQ(5, CountRegValues(HKEY_LOCAL_MACHINE, SAVED_KEY));
}

TEST_F(Languages, ApplySkipsApplicationsThatAreNotInstalled)
{
    SetupState.SpellerRegistered = 1;
    SetupState.ExcelInstalled = 1;
    ChooseForAll(2074, 1033);
    ApplyDefaultLanguages();
    EXPECT_REG_SZ(HKEY_CURRENT_USER, EXCEL_USER_KEY, "Speller", "2074\\Normal");
    EXPECT_REG_KEY(HKEY_LOCAL_MACHINE, WORD_KEY, false);
    EXPECT_REG_KEY(HKEY_LOCAL_MACHINE, ACCESS_KEY, false);
    EXPECT_REG_KEY(HKEY_CURRENT_USER, POWERPOINT_USER_KEY, false);
    EXPECT_REG_KEY(HKEY_CURRENT_USER, OUTLOOK_USER_KEY, false);
    EXPECT_EQ(1, CountRegValues(HKEY_LOCAL_MACHINE, SAVED_KEY));
}

TEST_F(Languages, TheFirstOriginalIsKeptThroughLaterApplies)
{
    SetupState.SpellerRegistered = SetupState.WordInstalled = 1;
    SetupState.WordLang = 2074;
    SetupState.PrevWordLang = 1033;
    ApplyDefaultLanguages();
    SetupState.WordLang = 3098;
    SetupState.PrevWordLang = 2074;
    ApplyDefaultLanguages();
    EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, SAVED_KEY, "OldLangWord", 1033);
    EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, WORD_KEY, "Language ID", 3098);
    EXPECT_EQ(1, SaveOriginalLanguage("OldLangWord", 3081));
    EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, SAVED_KEY, "OldLangWord", 1033);
}

TEST_F(Languages, AnUnreadableSavedValueIsOverwritten)
{
    SetRegString(HKEY_LOCAL_MACHINE, SAVED_KEY, "OldLangWord", "1033\\Normal");
    EXPECT_EQ(0, SaveOriginalLanguage("OldLangWord", 3081));
    EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, SAVED_KEY, "OldLangWord", 3081);
}

TEST_F(Languages, RestoredLanguageNeverPutsBackACroatianEntry)
{
    EXPECT_EQ(1033, RestoredLanguage("OldLangWord")) << "nothing saved";
    SetRegDword(HKEY_LOCAL_MACHINE, SAVED_KEY, "OldLangWord", 2074);
    SetRegDword(HKEY_LOCAL_MACHINE, SAVED_KEY, "OldLangExcel", 3098);
    SetRegDword(HKEY_LOCAL_MACHINE, SAVED_KEY, "OldLangPowerPoint", 3081);
    SetRegDword(HKEY_LOCAL_MACHINE, SAVED_KEY, "OldLangAccess", 1060);
    EXPECT_EQ(1033, RestoredLanguage("OldLangWord"));
    EXPECT_EQ(1033, RestoredLanguage("OldLangExcel"));
    EXPECT_EQ(3081, RestoredLanguage("OldLangPowerPoint"));
    EXPECT_EQ(1060, RestoredLanguage("OldLangAccess"));
}

// A removal sets the restored languages and applies them with no previous
// languages set.
TEST_F(Languages, RemovalStyleApplyWrites1033InBothForms)
{
    InstallAllApplications();
    SetupState.SpellerRegistered = 1;
    ChooseForAll(RestoredLanguage("OldLangWord"), 0);
    ApplyDefaultLanguages();
    EXPECT_LANGUAGES(1033, 1033, 1033, 1033, 1033);
}

TEST_F(Languages, FormatWritesTheLanguageBeforeNormal)
{
    char text[LANGUAGE_TEXT_SIZE];
    FormatLanguageText(text, -2147483647 - 1);
    EXPECT_STREQ("-2147483648\\Normal", text);
}

}  // namespace
