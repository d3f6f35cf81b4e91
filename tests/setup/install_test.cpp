#include "pages/pages.h"
#include "setup/setup.h"
#include "shell/shell.h"
#include "support/office_keys.h"
#include "support/temp_folder.h"
#include "support/ui_script.h"
#include "support/wizard_sandbox.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <cstring>
#include <string>
#include <vector>

namespace {

class Progress : public WizardSandbox {
protected:
    void SetUp() override
    {
        WizardSandbox::SetUp();
        strcpy(SetupState.SourceDir, (source_.Path() + "\\").c_str());
        strcpy(SetupState.DestDir, (destination_.Path() + "\\").c_str());
        for (const char* name : {"MSPCR32.DLL", "MSSP_CR.LEX", "MSHYCR32.DLL", "MSHY_CR.LEX"})
            WriteFileBytes(source_.File(name), std::string("payload ") + name);
    }
    int Position(HWND page)
    {
        return (int)SendDlgItemMessageA(page, IDC_PROGRESS, PBM_GETPOS, 0, 0);
    }
    int Step(HWND page) { return (int)SendDlgItemMessageA(page, IDC_PROGRESS, PBM_GETSTEP, 0, 0); }

    TempFolder source_, destination_;
};

// The close box, Alt+F4, Escape and taskkill without /F, handled at the
// drain before each copy, never hide the page.
TEST_F(Progress, BothComponentsTakeFourStepsOf25WhateverCloseIsAsked)
{
    SetupState.InstallSpeller = SetupState.InstallHyphenator = 1;
    HWND page = OpenProgressPage(owner_);
    EXPECT_EQ(25, Step(page));
    const UINT asked[][2] = {
        {WM_CLOSE, 0}, {WM_SYSCOMMAND, SC_CLOSE}, {WM_COMMAND, IDCANCEL}, {WM_COMMAND, IDOK}};
    for (const auto& close : asked)
        PostMessageA(page, close[0], close[1], 0);
    for (const char* name : {"MSPCR32.DLL", "MSSP_CR.LEX", "MSHYCR32.DLL", "MSHY_CR.LEX"}) {
        char copy[PATH_BUFFER_SIZE];
        EXPECT_EQ(0, CopyPayloadFile(page, name, copy));
        EXPECT_EQ(destination_.File(name), ControlText(page, IDC_CURRENT_FILE));
        EXPECT_EQ(std::string("payload ") + name, ReadFileBytes(copy)) << "a copy beside it";
        EXPECT_FALSE(FileExists(destination_.File(name))) << "replaced only with the other file";
        DeleteFileA(copy);
    }
    EXPECT_EQ(100, Position(page));
    EXPECT_TRUE(IsWindowVisible(page));
    DestroyWindow(page);
}

TEST_F(Progress, OneComponentTakesTwoStepsOf50EvenWhenACopyFails)
{
    SetupState.InstallHyphenator = 1;
    DeleteFileA(source_.File("MSHY_CR.LEX").c_str());
    HWND page = OpenProgressPage(owner_);
    EXPECT_EQ(50, Step(page));
    char copy[PATH_BUFFER_SIZE];
    EXPECT_EQ(0, CopyPayloadFile(page, "MSHYCR32.DLL", copy));
    DeleteFileA(copy);
    EXPECT_EQ(-1, CopyPayloadFile(page, "MSHY_CR.LEX", copy));
    EXPECT_STREQ("", copy);
    EXPECT_EQ(0, CountFiles(destination_.File("*"))) << "no temporary file is left";
    EXPECT_EQ(100, Position(page));
    DestroyWindow(page);
}

TEST_F(Progress, NeitherComponentLeavesTheBarAtZeroWithItsOwnStep)
{
    HWND page = OpenProgressPage(owner_);
    EXPECT_EQ(10, Step(page)) << "the control's default";
    EXPECT_EQ(0, Position(page));
    EXPECT_TRUE(IsWindowVisible(page));
    DestroyWindow(page);
}

// What the label showed each time it was painted, and whether that file
// had been copied by then.
struct LabelPaint {
    std::string text;
    bool copied;
};
std::vector<LabelPaint> labelPaints;
WNDPROC labelProcedure;

LRESULT CALLBACK SpyOnLabel(HWND label, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        char text[PATH_BUFFER_SIZE] = "";
        GetWindowTextA(label, text, sizeof text);
        labelPaints.push_back({text, FileExists(text)});
    }
    return CallWindowProcA(labelProcedure, label, message, wParam, lParam);
}

// The copy holds the thread, so a label left to the next drain would name
// the previous file all through it.
TEST_F(Progress, TheLabelIsPaintedWithEachFileBeforeItsCopyStarts)
{
    SetupState.InstallSpeller = 1;
    HWND page = OpenProgressPage(owner_);
    HWND label = GetDlgItem(page, IDC_CURRENT_FILE);
    labelPaints.clear();
    labelProcedure = (WNDPROC)SetWindowLongPtrA(label, GWLP_WNDPROC, (LONG_PTR)SpyOnLabel);
    for (const char* name : {"MSPCR32.DLL", "MSSP_CR.LEX"}) {
        char copy[PATH_BUFFER_SIZE];
        EXPECT_EQ(0, CopyPayloadFile(page, name, copy));
        DeleteFileA(copy);
        ASSERT_FALSE(labelPaints.empty()) << name;
        EXPECT_EQ(destination_.File(name), labelPaints.back().text);
        EXPECT_FALSE(labelPaints.back().copied) << name;
    }
    SetWindowLongPtrA(label, GWLP_WNDPROC, (LONG_PTR)labelProcedure);
    DestroyWindow(page);
}

// As from a CD-ROM: the copy keeps every attribute of its source but the
// one that would stop a removal from deleting it.
TEST_F(Progress, ACopyOfAReadOnlyFileIsWritableAndKeepsItsOtherAttributes)
{
    SetupState.InstallSpeller = 1;
    std::string source = source_.File("MSPCR32.DLL");
    ASSERT_TRUE(
        SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    HWND page = OpenProgressPage(owner_);
    char copy[PATH_BUFFER_SIZE];
    EXPECT_EQ(0, CopyPayloadFile(page, "MSPCR32.DLL", copy));
    DestroyWindow(page);
    DWORD copied = GetFileAttributesA(copy);
    EXPECT_EQ(0u, copied & FILE_ATTRIBUTE_READONLY);
    EXPECT_NE(0u, copied & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(DeleteFileA(copy));
    SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(Progress, APathThatDoesNotFitIsNotCopied)
{
    std::string longDir(PATH_BUFFER_SIZE - 8, 'd');
    strcpy(SetupState.DestDir, longDir.c_str());
    HWND page = OpenProgressPage(owner_);
    char copy[PATH_BUFFER_SIZE];
    EXPECT_EQ(-1, CopyPayloadFile(page, "MSPCR32.DLL", copy));
    DestroyWindow(page);
}

std::function<void(HWND)> TypeDestination(const std::string& folder)
{
    return Then(Type(IDC_DEST_DIR, folder), Click(IDOK));
}

// A folder in which no file can be made, as on a full or write-protected
// disk, through a stand-in for the call that makes the first file.
#ifdef _WIN64
#define IMPORTED(name, bytes) "__imp_" #name
#else
#define IMPORTED(name, bytes) "__imp__" #name "@" #bytes
#endif
extern "C" decltype(&GetTempFileNameA) importedTempName asm(IMPORTED(GetTempFileNameA, 16));

// An import's slot holds the stand-in for the life of the object, even
// when the test ends early.
template <typename Function>
class StandIn {
public:
    StandIn(Function& slot, Function standIn) : slot_(slot), kept_(slot) { slot_ = standIn; }
    ~StandIn() { slot_ = kept_; }

private:
    Function& slot_;
    Function kept_;
};

// GetTempFileNameA, which makes every copy, takes a folder of 246
// characters at most, the final backslash included: Windows could make no
// file in a longer one, though Wine can.
TEST_F(Progress, TheDestinationPageTakesTheLongestFolderThatLeavesRoomForEveryFileName)
{
    char previous[MAX_PATH];
    GetCurrentDirectoryA(sizeof previous, previous);
    for (size_t length : {245, 246}) {
        std::string typed =
            destination_.File(std::string(length - destination_.Path().size() - 1, 'f'));
        std::vector<UiStep> steps = {{"File Destination", TypeDestination(typed)},
                                     {"Setup", Click(IDOK)}};
        if (length == 246)  // refused: the page comes back
            steps.insert(steps.end(), {{"File Destination", Click(IDCANCEL)},
                                       {"Exit", Click(IDYES)},
                                       {"Setup", Click(IDOK)}});
        UiScript script(steps);
        EXPECT_EQ(length < 246 ? 0 : -1, InstallComponents(owner_)) << length;
    }
    SetCurrentDirectoryA(previous);
}

UINT WINAPI NoFileCanBeMade(LPCSTR, LPCSTR, UINT, LPSTR)
{
    return 0;
}

// A folder Setup made for the destination goes again when no file can be
// made in it, and so do those it made above its own proposal (Windows NT
// 3.51's, whose MSAPPS may be missing); the page comes back, and nothing is
// copied.  Where files can be made, the proposal taken is made whole.
TEST_F(Progress, ANewFolderWhereNoFileCanBeMadeIsRefusedAndRemoved)
{
    ChooseDefaultDestination(SetupState.ProposedDir, NULL, VER_PLATFORM_WIN32_NT, 3,
                             destination_.Path().c_str());
    for (std::string folder : {destination_.File("New"), std::string(SetupState.ProposedDir)}) {
        StandIn tempName(importedTempName, NoFileCanBeMade);
        UiScript script({{"File Destination", TypeDestination(folder)},
                         {"Setup", Answer("Setup cannot create files in this folder:\n" + folder +
                                              "\\\n\nThe disk may be full or write-protected. "
                                              "Choose another folder.",
                                          IDOK)},
                         {"File Destination", Click(IDCANCEL)},
                         {"Exit", Click(IDYES)},
                         {"Setup", Click(IDOK)}});
        EXPECT_EQ(-1, InstallComponents(owner_));
        EXPECT_FALSE(
            FileExists(folder.substr(0, folder.find('\\', destination_.Path().size() + 1))));
    }
    UiScript script({{"File Destination", Click(IDOK)}, {"Setup", Click(IDOK)}});
    EXPECT_EQ(0, InstallComponents(owner_));
    EXPECT_TRUE(FileExists(SetupState.ProposedDir));
}

// A file that cannot be replaced (read-only here) is Setup's copy only when
// it holds the payload file's bytes: then, with the other file of its
// component the same, the component is registered.
TEST_F(Progress, AFileThatCannotBeReplacedCountsOnlyWhenItHoldsThePayloadsBytes)
{
    SetupState.InstallSpeller = 1;
    std::string engine = destination_.File("MSPCR32.DLL");
    WriteFileBytes(destination_.File("MSSP_CR.LEX"), "payload MSSP_CR.LEX");
    for (const char* bytes : {"an older engine", "payload MSPCR32.DLL"}) {
        WriteFileBytes(engine, bytes);
        SetFileAttributesA(engine.c_str(), FILE_ATTRIBUTE_READONLY);
        UiScript script({{"File Destination", TypeDestination(destination_.Path())},
                         {"Installation", nullptr},
                         {"Setup", Click(IDOK)}});
        EXPECT_EQ(0, InstallComponents(owner_));
        SetFileAttributesA(engine.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(bytes, ReadFileBytes(engine));
        EXPECT_EQ(bytes[0] == 'p', SetupState.SpellerRegistered == 1) << bytes;
    }
    EXPECT_REG_SZ(HKEY_LOCAL_MACHINE, SPELLING_4122_KEY, "Engine", engine);
}

// A warning shown as a notice goes unseen: each kind of message shows its
// own icon and buttons.
TEST_F(Progress, EachKindOfMessageShowsItsIconAndButtons)
{
    const UINT question = MB_ICONQUESTION | MB_YESNO, notice = MB_ICONINFORMATION | MB_OK,
               warning = MB_ICONEXCLAMATION | MB_OK;
    char previous[MAX_PATH];
    GetCurrentDirectoryA(sizeof previous, previous);
    std::string held = destination_.File("MSPCR32.DLL");
    WriteFileBytes(held, "in use");
    SetRegString(HKEY_LOCAL_MACHINE, SPELLING_4122_KEY, "Engine", held);
    HANDLE file = CreateFileA(held.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    auto run = [this](int (*operation)(HWND), std::vector<UiStep> steps) {
        UiScript script(std::move(steps));
        operation(owner_);
    };
    run(ConfirmExit, {{"Exit", AnswerBox(question, IDYES)}, {"Setup", AnswerBox(notice, IDOK)}});
    auto removal = [&](UINT closing) -> std::vector<UiStep> {
        return {{"Remove", AnswerBox(question, IDYES)},
                {"Remove", AnswerBox(question, IDYES)},
                {"Removed Files", AnswerBox(closing, IDOK)}};
    };
    run(RemoveComponents, removal(warning));
    CloseHandle(file);
    run(RemoveComponents, removal(notice));
    // No component is chosen: no copy drains the messages under the progress page.
    run(InstallComponents, {{"File Destination", TypeDestination("")},
                            {"Setup", AnswerBox(warning, IDOK)},
                            {"File Destination", TypeDestination(destination_.Path())},
                            {"Setup", AnswerBox(notice, IDOK)}});
    // A volatile key takes no lasting subkey: the language names cannot be written.
    std::string names = std::string(PROOFING_KEY) + "Language";
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, names.c_str());
    HKEY key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, names.c_str(), 0, NULL, REG_OPTION_VOLATILE, KEY_READ, NULL,
                    &key, NULL);
    RegCloseKey(key);
    run(InstallComponents,
        {{"File Destination", Click(IDOK)}, {"Setup", AnswerBox(warning, IDOK)}});
    SetCurrentDirectoryA(previous);
}

TEST(Report, ListsEachPathOnceOnItsOwnLineBetweenHeaderAndFooter)
{
    Report report;
    StartReport(&report, "Head\n\n");
    AddReportLine(&report, "Could not copy: ", "C:\\Proof\\A.DLL");
    AddReportLine(&report, "Could not copy: ", "C:\\Proof\\B.LEX");
    AddReportLine(&report, "Could not copy: ", "C:\\Proof\\A.DLL");
    AddReportLine(&report, "", "Registry.");
    FinishReport(&report, "\n\nEnd.");
    EXPECT_STREQ("Head\n\nCould not copy: C:\\Proof\\A.DLL\nCould not copy: C:\\Proof\\B.LEX\n"
                 "Registry.\n\nEnd.",
                 report.Text);
    EXPECT_EQ(3, report.Lines);
}

TEST(Report, TellsAPathFromALongerOneThatStartsWithIt)
{
    Report report;
    StartReport(&report, "Head:\n");
    AddReportLine(&report, "", "C:\\Proof\\A.DLL.OLD");
    AddReportLine(&report, "", "C:\\Proof\\A.DLL");
    EXPECT_EQ(2, report.Lines);
}

TEST(Report, IsCutShortRatherThanOverrunItsBuffer)
{
    Report report;
    memset(&report, 'Z', sizeof report);
    StartReport(&report, "Header\n");
    std::string path(500, 'p');
    for (char c : std::string("abcdef")) {
        path[0] = c;
        AddReportLine(&report, "Could not copy: ", path.c_str());
    }
    FinishReport(&report, "\n\nfooter");
    EXPECT_EQ((size_t)REPORT_SIZE - 1, strlen(report.Text));
    EXPECT_EQ(0, memcmp("Header\nCould not copy: a", report.Text, 24));
}

}  // namespace
