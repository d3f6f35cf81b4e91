#include "pages/pages.h"
#include "setup/setup.h"
#include "shell/shell.h"
#include "support/office_keys.h"
#include "support/ui_script.h"
#include "support/wizard_sandbox.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

const int LISTS[] = {IDC_WORD_LANG, IDC_EXCEL_LANG, IDC_POWERPOINT_LANG, IDC_ACCESS_LANG,
                     IDC_OUTLOOK_LANG};

struct ListView {
    std::vector<std::string> items;
    int selected;
    bool enabled;
};

ListView ReadList(HWND page, int id)
{
    ListView view;
    int count = (int)SendDlgItemMessageA(page, id, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; i++) {
        char item[256] = "";
        SendDlgItemMessageA(page, id, CB_GETLBTEXT, i, (LPARAM)item);
        view.items.push_back(item);
    }
    view.selected = (int)SendDlgItemMessageA(page, id, CB_GETCURSEL, 0, 0);
    view.enabled = IsWindowEnabled(GetDlgItem(page, id)) != FALSE;
    return view;
}

std::string LanguageName(int language)
{
    char name[256] = "";
    VerLanguageNameA(language, name, sizeof name);
    return name;
}

class DefaultLanguage : public WizardSandbox {
protected:
    // Shows the page; choose(page) may change lists before the button.
    int Run(int button, std::function<void(HWND)> choose = nullptr, const char* caption = nullptr)
    {
        lists_.clear();
        UiScript script({{caption ? caption : "Set Default Language", [&](HWND page) {
                              for (int id : LISTS)
                                  lists_.push_back(ReadList(page, id));
                              if (choose)
                                  choose(page);
                              PostClick(page, button);
                          }}});
        return ShowPage(IDD_DEFAULT_LANGUAGE, DefaultLanguageProc, owner_);
    }

    std::vector<ListView> lists_;
};

std::function<void(HWND)> Choose(int id, int index)
{
    return [id, index](HWND page) { SendDlgItemMessageA(page, id, CB_SETCURSEL, index, 0); };
}

TEST_F(DefaultLanguage, WithoutSettingsEveryListShowsTheAssumedLanguageAsASixthItem)
{
    SetupState.WordInstalled = SetupState.ExcelInstalled = SetupState.PowerPointInstalled =
        SetupState.AccessInstalled = SetupState.OutlookInstalled = 1;
    EXPECT_EQ(PAGE_NEXT, Run(IDOK));
    const std::vector<std::string> table = {"English (Australian)", "English (British)",
                                            "English (United States)", "Croatian (B&H)    ",
                                            "Croatian       "};
    for (const ListView& list : lists_) {
        ASSERT_EQ(6u, list.items.size());
        EXPECT_EQ(table, std::vector<std::string>(list.items.begin(), list.items.begin() + 5));
        EXPECT_EQ(LanguageName(1060), list.items[5]);
        EXPECT_EQ(5, list.selected);
        EXPECT_TRUE(list.enabled);
    }
    EXPECT_EQ(1060, SetupState.WordLang);
    EXPECT_EQ(1060, SetupState.OutlookLang);
    EXPECT_EQ(1060, SetupState.PrevWordLang);
}

TEST_F(DefaultLanguage, ChoosingARowSetsTheLanguageAndKeepsThePreviousOne)
{
    SetupState.WordInstalled = 1;
    SetRegDword(HKEY_LOCAL_MACHINE, WORD_KEY, "Language ID", 1033);
    Run(IDOK, Choose(IDC_WORD_LANG, 4));
    EXPECT_EQ(2, lists_[0].selected);
    EXPECT_EQ(5u, lists_[0].items.size());
    EXPECT_EQ(2074, SetupState.WordLang);
    EXPECT_EQ(1033, SetupState.PrevWordLang);
}

TEST_F(DefaultLanguage, ALanguageOfTheTableAddsNoSixthItem)
{
    SetupState.ExcelInstalled = 1;
    SetRegString(HKEY_CURRENT_USER, EXCEL_USER_KEY, "Speller", "3098\\Normal");
    Run(IDOK);
    EXPECT_EQ(3, lists_[1].selected);
    EXPECT_EQ(5u, lists_[1].items.size());
    EXPECT_EQ(3098, SetupState.ExcelLang);
}

TEST_F(DefaultLanguage, TheListOfAnApplicationNotInstalledIsDisabledAndNotRead)
{
    SetRegDword(HKEY_LOCAL_MACHINE, WORD_KEY, "Language ID", 2057);
    Run(IDOK, Choose(IDC_WORD_LANG, 4));
    EXPECT_FALSE(lists_[0].enabled);
    EXPECT_EQ(1, lists_[0].selected);
    EXPECT_EQ(2057, SetupState.WordLang);
    EXPECT_EQ(2057, SetupState.PrevWordLang) << "the previous field is set all the same";
}

TEST_F(DefaultLanguage, ChoosingTheSixthItemAgainKeepsTheLanguageRead)
{
    SetupState.WordInstalled = 1;
    SetRegDword(HKEY_LOCAL_MACHINE, WORD_KEY, "Language ID", 1031);
    Run(IDOK, Then(Choose(IDC_WORD_LANG, 0), Choose(IDC_WORD_LANG, 5)));
    EXPECT_EQ(LanguageName(1031), lists_[0].items[5]);
    EXPECT_EQ(1031, SetupState.WordLang);
}

TEST_F(DefaultLanguage, ExitCopiesAndReadsNothing)
{
    SetupState.WordInstalled = 1;
    SetupState.PrevWordLang = 7;
    SetRegDword(HKEY_LOCAL_MACHINE, WORD_KEY, "Language ID", 1033);
    EXPECT_EQ(PAGE_EXIT, Run(IDCANCEL, Choose(IDC_WORD_LANG, 4)));
    EXPECT_EQ(1033, SetupState.WordLang);
    EXPECT_EQ(7, SetupState.PrevWordLang);
}

TEST_F(DefaultLanguage, EveryShowingReadsTheRegistryAgain)
{
    SetupState.WordInstalled = 1;
    SetRegDword(HKEY_LOCAL_MACHINE, WORD_KEY, "Language ID", 1033);
    Run(IDCANCEL, Choose(IDC_WORD_LANG, 4));
    SetRegDword(HKEY_LOCAL_MACHINE, WORD_KEY, "Language ID", 3081);
    Run(IDOK);
    EXPECT_EQ(0, lists_[0].selected);
    EXPECT_EQ(3081, SetupState.WordLang);
}

TEST_F(DefaultLanguage, TheSerbianPageShowsTheSameNames)
{
    SetupState.LanguageOffset = 100;
    SetupState.WordInstalled = 1;
    Run(IDOK, nullptr, "Izaberite osnovni jezik za pisanje");
    EXPECT_EQ("English (Australian)", lists_[0].items[0]);
    EXPECT_EQ("Croatian       ", lists_[0].items[4]);
}

}  // namespace
