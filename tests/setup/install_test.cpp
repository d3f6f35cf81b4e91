#include "pages/pages.h"
#include "registry/registry.h"
#include "setup/setup.h"
#include "shell/shell.h"
#include "support/office_keys.h"
#include "support/stand_in.h"
#include "support/temp_folder.h"
#include "support/ui_script.h"
#include "support/wizard_sandbox.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <cstring>
#include <iostream>
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
    EXPECT_FALSE(FileExists(copy)) << "no part of a copy is left";
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

// The folder taken, the files copied, the closing message answered.
std::vector<UiStep> Installing(const std::string& folder)
{
    return {{"File Destination", TypeDestination(folder)},
            {"Installation", nullptr},
            {"Setup", Click(IDOK)}};
}

// The folder refused, and Setup left on the page that comes back.
std::vector<UiStep> Refused(const std::string& folder)
{
    return {{"File Destination", TypeDestination(folder)},
            {"Setup", Click(IDOK)},
            {"File Destination", Click(IDCANCEL)},
            {"Exit", Click(IDYES)},
            {"Setup", Click(IDOK)}};
}

extern "C" decltype(&DeleteFileA) importedDelete asm(IMPORTED(DeleteFileA, 4));
extern "C" decltype(&MoveFileA) importedMove asm(IMPORTED(MoveFileA, 8));
extern "C" decltype(&CopyFileA) importedCopyFile asm(IMPORTED(CopyFileA, 12));
decltype(&DeleteFileA) realDelete = importedDelete;
decltype(&MoveFileA) realMove = importedMove;
decltype(&CopyFileA) realCopyFile = importedCopyFile;

HANDLE WINAPI NoFileCanBeMade(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE)
{
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
}

// A write-protected floppy: Wine's read-only drives deny access instead.
extern "C" decltype(&CreateDirectoryA) importedCreateDirectory asm(IMPORTED(CreateDirectoryA, 8));
BOOL WINAPI WriteProtected(LPCSTR, LPSECURITY_ATTRIBUTES)
{
    SetLastError(ERROR_WRITE_PROTECT);
    return FALSE;
}

// A folder Setup made for the destination goes again when no file can be
// made in it, and so do those it made above its own proposal (Windows NT
// 3.51's, whose MSAPPS may be missing); the page comes back, and nothing is
// copied.  Where files can be made, the proposal taken is made whole.
TEST_F(Progress, ANewFolderWhereNoFileCanBeMadeIsRefusedAndRemoved)
{
    ChooseDefaultDestination(SetupState.ProposedDir, NULL, VER_PLATFORM_WIN32_NT, 3,
                             destination_.Path().c_str());
    auto makeFolder = importedCreateDirectory;
    for (std::string folder : {destination_.File("Floppy"), destination_.File("New"),
                               std::string(SetupState.ProposedDir)}) {
        StandIn create(importedCreateFile, NoFileCanBeMade);
        StandIn protect(importedCreateDirectory,
                        folder.back() == 'y' ? WriteProtected : makeFolder);
        UiScript script({{"File Destination", TypeDestination(folder)},
                         {"Setup", Answer("Setup cannot create files in this folder:\n" + folder +
                                              "\\\n\nThe disk may be full or write-protected. "
                                              "Choose another folder.",
                                          IDOK)},
                         {"File Destination", Click(IDCANCEL)},
                         {"Exit", Click(IDYES)},
                         {"Setup", Click(IDOK)}});
        EXPECT_EQ(-1, InstallComponents(owner_));
        EXPECT_FALSE(IsPathRecorded((folder + "\\").c_str())) << "no file is left there";
        EXPECT_FALSE(
            FileExists(folder.substr(0, folder.find('\\', destination_.Path().size() + 1))));
        EXPECT_TRUE(FileExists(destination_.Path())) << "a folder Setup did not make went";
    }
    UiScript script(
        {{"File Destination", Click(IDOK)}, {"Installation", nullptr}, {"Setup", Click(IDOK)}});
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
        UiScript script(Installing(destination_.Path()));
        EXPECT_EQ(0, InstallComponents(owner_));
        SetFileAttributesA(engine.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(bytes, ReadFileBytes(engine));
        EXPECT_EQ(bytes[0] == 'p', SetupState.SpellerRegistered == 1) << bytes;
    }
    EXPECT_REG_SZ(HKEY_LOCAL_MACHINE, SPELLING_4122_KEY, "Engine", engine);
    // Another name of the distribution's own file: the folder is refused.
    SetupState.SpellerRegistered = 0;
    DeleteFileA(engine.c_str());
    ASSERT_TRUE(CreateHardLinkA(engine.c_str(), source_.File("MSPCR32.DLL").c_str(), NULL));
    {
        UiScript script(Refused(destination_.Path()));
        EXPECT_EQ(-1, InstallComponents(owner_));
    }
    EXPECT_EQ("payload MSPCR32.DLL", ReadFileBytes(source_.File("MSPCR32.DLL")));
    EXPECT_EQ(0, SetupState.SpellerRegistered);
    // One that cannot be told is named as such.
    unopenable = engine;
    StandIn create(importedCreateFile, OpenAsWindows95);
    std::vector<UiStep> steps = Refused(destination_.Path());
    steps[1] = {"Setup",
                Answer("Setup cannot create files in this folder:\n" + destination_.Path() +
                           "\\\n\n" + engine + " cannot be read. Choose another folder.",
                       IDOK)};
    UiScript script(steps);
    EXPECT_EQ(-1, InstallComponents(owner_));
    unopenable.clear();
}

// An engine and a lexicon of different versions do not work together: where
// either file cannot be replaced, every file stays as it was, byte for byte,
// and nothing else is left in the folder.  A folder that bears a payload
// file's name is the user's and never moves.
TEST_F(Progress, AComponentThatCannotBeReplacedWholeLeavesEveryOldFileAsItWas)
{
    SetupState.InstallSpeller = 1;
    for (const char* fixed : {"MSPCR32.DLL", "MSSP_CR.LEX"}) {
        for (bool folder : {false, true}) {
            std::string stays = destination_.File(fixed),
                        other = destination_.File(fixed[2] == 'P' ? "MSSP_CR.LEX" : "MSPCR32.DLL");
            WriteFileBytes(other, "old " + other);
            if (folder) {
                CreateDirectoryA(stays.c_str(), NULL);
                WriteFileBytes(stays + "\\mine", "the user's");
            } else {
                WriteFileBytes(stays, "old " + stays);
                SetFileAttributesA(stays.c_str(), FILE_ATTRIBUTE_READONLY);
            }
            UiScript script(Installing(destination_.Path()));
            EXPECT_EQ(0, InstallComponents(owner_));
            SetFileAttributesA(stays.c_str(), FILE_ATTRIBUTE_NORMAL);
            EXPECT_EQ("old " + other, ReadFileBytes(other)) << stays;
            EXPECT_EQ(folder ? "the user's" : "old " + stays,
                      ReadFileBytes(folder ? stays + "\\mine" : stays));
            EXPECT_EQ(folder ? 1 : 2, CountFiles(destination_.File("*"))) << stays;
            EXPECT_EQ(0, SetupState.SpellerRegistered) << stays;
            DeleteFileA((stays + "\\mine").c_str());
            RemoveDirectoryA(stays.c_str());
            DeleteFileA(stays.c_str());
        }
    }
}

int quitsToPost;
BOOL WINAPI CopyAfterAQuit(LPCSTR source, LPCSTR copy, BOOL failIfThere)
{
    if (quitsToPost-- > 0)
        PostQuitMessage(3);
    return realCopyFile(source, copy, failIfThere);
}

// A quit that another program posts while files copy (a shutdown) ends the
// run only after every component is whole and registered; the closing box
// then returns at once and leaves the quit to end the program.
TEST_F(Progress, AQuitPostedWhileFilesCopyEndsTheRunOnceTheComponentsAreWhole)
{
    // At every copy, and once at the first.
    for (int quits : {4, 1}) {
        TempFolder folder;
        SetupState.InstallSpeller = SetupState.InstallHyphenator = 1;
        SetupState.SpellerRegistered = SetupState.HyphenatorRegistered = 0;
        {
            quitsToPost = quits;
            StandIn<decltype(&CopyFileA)> quitting(importedCopyFile, CopyAfterAQuit);
            UiScript script(Installing(folder.Path()));
            EXPECT_EQ(0, InstallComponents(owner_));
        }
        MSG quit;
        EXPECT_TRUE(PeekMessageA(&quit, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit was lost";
        for (const char* name : {"MSPCR32.DLL", "MSSP_CR.LEX", "MSHYCR32.DLL", "MSHY_CR.LEX"})
            EXPECT_EQ(std::string("payload ") + name, ReadFileBytes(folder.File(name))) << quits;
        EXPECT_EQ(4, CountFiles(folder.File("*")));
        EXPECT_EQ(1, SetupState.SpellerRegistered);
        EXPECT_EQ(1, SetupState.HyphenatorRegistered);
    }
}

std::string PayloadOf(const std::string& name)
{
    return "payload " + name;
}
const char COMPLETED_TEXT[] = "Setup completed successfully.\nYou may now use the installed "
                              "Velmora with your MS Office 97 applications.";

// A power cut: the file operations and registry writes after the cut do nothing.
int operationsBeforeCut;
BOOL WINAPI CopyUntilCut(LPCSTR source, LPCSTR copy, BOOL failIfThere)
{
    return operationsBeforeCut-- > 0 && realCopyFile(source, copy, failIfThere);
}
BOOL WINAPI MoveUntilCut(LPCSTR from, LPCSTR to)
{
    return operationsBeforeCut-- > 0 && realMove(from, to);
}
BOOL WINAPI DeleteUntilCut(LPCSTR path)
{
    return operationsBeforeCut-- > 0 && realDelete(path);
}
HANDLE WINAPI CreateUntilCut(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                             DWORD disposition, DWORD flags, HANDLE model)
{
    // Opening a file to read it changes nothing.
    if (access != 0 && access != GENERIC_READ && operationsBeforeCut-- <= 0)
        return INVALID_HANDLE_VALUE;
    return realCreateFile(path, access, share, security, disposition, flags, model);
}
extern "C" decltype(&RegSetValueExA) importedSetValue asm(IMPORTED(RegSetValueExA, 24));
extern "C" decltype(&RegDeleteValueA) importedDeleteValue asm(IMPORTED(RegDeleteValueA, 8));
decltype(&RegSetValueExA) realSetValue = importedSetValue;
decltype(&RegDeleteValueA) realDeleteValue = importedDeleteValue;
// Office's registrations of the tools in the order written; a write names
// only a handle, so each is told by the key opened last.
extern "C" decltype(&RegCreateKeyExA) importedCreateKey asm(IMPORTED(RegCreateKeyExA, 36));
decltype(&RegCreateKeyExA) realCreateKey = importedCreateKey;
std::string keyOpened;
std::vector<std::string> registrations;
LONG WINAPI CreateKeyNoted(HKEY root, LPCSTR path, DWORD reserved, LPSTR type, DWORD options,
                           REGSAM access, LPSECURITY_ATTRIBUTES security, PHKEY key, LPDWORD made)
{
    keyOpened = path;
    return realCreateKey(root, path, reserved, type, options, access, security, key, made);
}
LONG WINAPI SetValueUntilCut(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data,
                             DWORD size)
{
    if (operationsBeforeCut > 0 && (!strcmp(name, "Engine") || !strcmp(name, "Dictionary")))
        registrations.push_back(keyOpened + "\\" + name);
    return operationsBeforeCut-- > 0 ? realSetValue(key, name, reserved, type, data, size)
                                     : ERROR_ACCESS_DENIED;
}
LONG WINAPI DeleteValueUntilCut(HKEY key, LPCSTR name)
{
    return operationsBeforeCut-- > 0 ? realDeleteValue(key, name) : ERROR_ACCESS_DENIED;
}

// A reinstallation over a working one, cut after its first file operation
// or registry write, its second, and so on until one runs to its end; the
// same where the lexicon is read-only, so that the fresh copies go again;
// where the distribution lacks the engine, so that no copy is made; and
// there with only the deletions cut, as by a file another program holds
// open.  Right after each cut every earlier file is there under its name or
// its set-aside name, and a folder holding a companion is recorded; the next
// installation leaves the new version whole where it may, no other file, and
// no folder recorded.  A run cut among its registry writes has registered
// the engines before the lexicons, and the plain language, 4122, before 1050.
TEST_F(Progress, AnInstallationCutAfterAnyFileOperationIsPutRightByTheNext)
{
    const char* const names[] = {"MSPCR32.DLL", "MSSP_CR.LEX", "MSHYCR32.DLL", "MSHY_CR.LEX"};
    std::string folder = destination_.Path() + "\\", lexicon = destination_.File("MSSP_CR.LEX");
    std::vector<std::string> order;
    for (const char* tool : {SPELLING_KEY, HYPHENATION_KEY}) {
        for (const char* value : {"\\Engine", "\\Dictionary"}) {
            for (const char* language : {"\\4122", "\\1050"})
                order.push_back(tool + std::string(language) + "\\Normal" + value);
        }
    }
    const char* const passes[] = {"reinstallation", "read-only lexicon", "no engine to copy",
                                  "only deletions cut"};
    for (int pass = 0; pass < 4; pass++) {
        bool readOnly = pass == 1, speller = pass == 0, allCut = pass < 3;
        if (pass == 2)
            DeleteFileA(source_.File(names[0]).c_str());
        int cut = 0;
        for (bool finished = false; !finished; cut++) {
            for (const char* name : names)
                WriteFileBytes(destination_.File(name), std::string("earlier ") + name);
            SetFileAttributesA(lexicon.c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : 0);
            SetupState.InstallSpeller = SetupState.InstallHyphenator = 1;
            {
                operationsBeforeCut = cut;
                registrations.clear();
                StandIn copy(importedCopyFile, allCut ? CopyUntilCut : realCopyFile);
                StandIn move(importedMove, allCut ? MoveUntilCut : realMove);
                StandIn remove(importedDelete, DeleteUntilCut);
                StandIn create(importedCreateFile, allCut ? CreateUntilCut : realCreateFile);
                StandIn setValue(importedSetValue, allCut ? SetValueUntilCut : realSetValue);
                StandIn deleteValue(importedDeleteValue,
                                    allCut ? DeleteValueUntilCut : realDeleteValue);
                StandIn createKey(importedCreateKey, CreateKeyNoted);
                // Cut at the file that tests the folder, the folder is refused.
                UiScript script((allCut ? cut == 1 || cut == 2 : cut == 0)
                                    ? Refused(destination_.Path())
                                    : Installing(destination_.Path()));
                InstallComponents(owner_);
                finished = operationsBeforeCut >= 0;
            }
            EXPECT_TRUE(CountFiles(destination_.File("*.VL?")) == 0 ||
                        IsPathRecorded(folder.c_str()))
                << "a companion left unrecorded after " << cut;
            for (int c = 0; c < 4; c += 2) {
                bool fresh =
                    ReadFileBytes(destination_.File(names[c])) == PayloadOf(names[c]) &&
                    ReadFileBytes(destination_.File(names[c + 1])) == PayloadOf(names[c + 1]);
                for (int i = c; !fresh && i < c + 2; i++) {
                    std::string old = std::string("earlier ") + names[i],
                                path = destination_.File(names[i]);
                    EXPECT_TRUE(ReadFileBytes(path) == old ||
                                ReadFileBytes(path.substr(0, path.size() - 3) + "VLO") == old)
                        << names[i] << " lost after " << cut << " operations";
                }
            }
            // Put right alone, as a removal does it, the folder holds no
            // companion and is forgotten.
            PutRecordedFoldersRight();
            EXPECT_EQ(4, CountFiles(destination_.File("*"))) << "a companion left after " << cut;
            EXPECT_FALSE(IsPathRecorded(folder.c_str())) << cut;
            UiScript script({{"File Destination", TypeDestination(destination_.Path())},
                             {"Installation", nullptr},
                             {"Setup", speller ? Answer(COMPLETED_TEXT, IDOK) : Click(IDOK)}});
            EXPECT_EQ(0, InstallComponents(owner_));
            for (int i = 0; i < 4; i++)
                EXPECT_EQ(!speller && i < 2 ? "earlier " + std::string(names[i])
                                            : PayloadOf(names[i]),
                          ReadFileBytes(destination_.File(names[i])))
                    << cut;
            EXPECT_EQ(4, CountFiles(destination_.File("*"))) << "after a cut after " << cut;
            EXPECT_FALSE(IsPathRecorded(folder.c_str())) << cut;
            if (HasFailure())
                break;
        }
        SetFileAttributesA(lexicon.c_str(), 0);
        std::cout << passes[pass] << ": cut after 0 to " << cut - 1 << " operations\n";
        EXPECT_GE(cut, speller ? 18 : allCut ? 10 : 4) << "too few operations";
        if (speller) {
            EXPECT_EQ(order, registrations);
        }
    }
}

// Whether a later run finds a file: a registration of Setup's own engine
// names it, or Setup's record does.
bool IsKnown(const std::string& path)
{
    bool known = IsPathRecorded(path.c_str());
    for (const Component* component : {&SPELLER, &HYPHENATOR}) {
        for (int language = 0; language < LANGUAGES; language++) {
            char key[KEY_PATH_SIZE], named[PATH_BUFFER_SIZE];
            ComponentLanguageKey(key, *component, language);
            for (const char* value : {"Engine", "Dictionary"})
                known = known ||
                        (RegistersOwnEngine(key, *component) &&
                         RegReadString(HKEY_LOCAL_MACHINE, key, value, named, sizeof named) == 0 &&
                         lstrcmpiA(named, path.c_str()) == 0);
        }
    }
    return known;
}

// An installation into another folder than the registered one, or a
// removal, cut after its first file operation or registry write, its
// second, and so on until one runs to its end.  After each cut every file
// Setup installed is named by a registration or by its record; the next
// removal leaves none of them, and says so.
class Cut : public Progress {
protected:
    void AtEachOperation(bool removal)
    {
        const char* const names[] = {"MSPCR32.DLL", "MSSP_CR.LEX", "MSHYCR32.DLL", "MSHY_CR.LEX"};
        const char* const keys[] = {SPELLING_4122_KEY, SPELLING_1050_KEY, HYPHENATION_4122_KEY,
                                    HYPHENATION_1050_KEY};
        TempFolder earlier;
        int cut = 0;
        for (bool finished = false; !finished && !HasFailure(); cut++) {
            SCOPED_TRACE(cut);
            for (int i = 0; i < 4; i++) {
                WriteFileBytes(earlier.File(names[i]), PayloadOf(names[i]));
                for (int language = 0; language < 2; language++)
                    SetRegString(HKEY_LOCAL_MACHINE, keys[i / 2 * 2 + language],
                                 i % 2 ? "Dictionary" : "Engine", earlier.File(names[i]));
            }
            SetupState.InstallSpeller = SetupState.InstallHyphenator = 1;
            {
                operationsBeforeCut = cut;
                StandIn copy(importedCopyFile, CopyUntilCut);
                StandIn move(importedMove, MoveUntilCut);
                StandIn remove(importedDelete, DeleteUntilCut);
                StandIn create(importedCreateFile, CreateUntilCut);
                StandIn setValue(importedSetValue, SetValueUntilCut);
                StandIn deleteValue(importedDeleteValue, DeleteValueUntilCut);
                UiScript script(removal ? std::vector<UiStep>{{"Remove", Click(IDYES)},
                                                              {"Remove", Click(IDYES)},
                                                              {"Removed Files", Click(IDOK)}}
                                : cut == 1 || cut == 2 ? Refused(destination_.Path())
                                                       : Installing(destination_.Path()));
                removal ? RemoveComponents(owner_) : InstallComponents(owner_);
                finished = operationsBeforeCut >= 0;
            }
            for (const TempFolder* folder : {&earlier, &destination_}) {
                for (const char* name : names) {
                    std::string path = folder->File(name);
                    EXPECT_TRUE(!FileExists(path) || IsKnown(path))
                        << path << " forgotten after " << cut << " operations";
                }
            }
            UiScript script(
                {{"Remove", Click(IDYES)},
                 {"Remove", Click(IDYES)},
                 {"Removed Files",
                  Answer("All previously installed files were successfully removed!", IDOK)}});
            EXPECT_EQ(0, RemoveComponents(owner_));
            EXPECT_EQ(0, CountFiles(earlier.File("*")) + CountFiles(destination_.File("*"))) << cut;
        }
        std::cout << "cut after 0 to " << cut - 1 << " operations\n";
        EXPECT_GE(cut, removal ? 8 : 20) << "too few operations";
    }
};

TEST_F(Cut, AnInstallationIntoAnotherFolderLeavesEveryFileKnown)
{
    AtEachOperation(false);
}

TEST_F(Cut, ARemovalLeavesEveryFileKnown)
{
    AtEachOperation(true);
}

// The record keeps an earlier installation's files known through a failed
// installation into their folder; and where an installation elsewhere
// cannot record them, Office keeps them registered and the user is told.
std::string refusedFolder;
LONG WINAPI SetValueRefusingFolder(HKEY key, LPCSTR name, DWORD reserved, DWORD type,
                                   const BYTE* data, DWORD size)
{
    return strncmp(name, refusedFolder.c_str(), refusedFolder.size()) == 0
               ? ERROR_ACCESS_DENIED
               : realSetValue(key, name, reserved, type, data, size);
}

TEST_F(Progress, AnEarlierInstallationsFilesStayKnownWhenTheNextFailsOrCannotRecordThem)
{
    SetupState.InstallSpeller = 1;
    SetupState.InstallHyphenator = 0;
    const std::string files[] = {destination_.File("MSPCR32.DLL"),
                                 destination_.File("MSSP_CR.LEX")};
    for (const std::string& file : files) {
        WriteFileBytes(file, "earlier");
        ASSERT_TRUE(RecordPath(file.c_str()));
    }
    HANDLE held = CreateFileA(files[1].c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    {
        UiScript script(Installing(destination_.Path()));
        EXPECT_EQ(0, InstallComponents(owner_));
    }
    CloseHandle(held);
    for (const std::string& file : files)
        EXPECT_TRUE(IsPathRecorded(file.c_str())) << file << " forgotten";
    SetRegString(HKEY_LOCAL_MACHINE, SPELLING_4122_KEY, "Engine", files[0]);
    SetRegString(HKEY_LOCAL_MACHINE, SPELLING_4122_KEY, "Dictionary", files[1]);
    ClearPath(files[0].c_str());
    ClearPath(files[1].c_str());
    TempFolder elsewhere;
    refusedFolder = destination_.Path();
    StandIn setValue(importedSetValue, SetValueRefusingFolder);
    {
        UiScript script(
            {{"File Destination", TypeDestination(elsewhere.Path())},
             {"Installation", nullptr},
             {"Setup",
              Answer("Setup could not complete the installation of Velmora.\n\nCould not "
                     "write the registry settings. Administrator rights may be "
                     "required.\n\nCorrect the problem and run Setup again.\n\nFiles "
                     "Office does not use; Remove deletes them:\n" +
                         elsewhere.File("MSPCR32.DLL") + "\n" + elsewhere.File("MSSP_CR.LEX"),
                     IDOK)}});
        EXPECT_EQ(0, InstallComponents(owner_));
    }
    EXPECT_REG_SZ(HKEY_LOCAL_MACHINE, SPELLING_4122_KEY, "Engine", files[0]);
    // Nor does a removal that cannot record them forget them.
    SetRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quenra\\Nalvoro", "OldLangWord", "1033");
    UiScript script({{"Remove", Click(IDYES)},
                     {"Remove", Click(IDYES)},
                     {"Removed Files", Answer("Some previously installed files could not be "
                                              "removed:\nCould not write the registry settings. "
                                              "Administrator rights may be required.",
                                              IDOK)}});
    EXPECT_EQ(0, RemoveComponents(owner_));
    EXPECT_REG_SZ(HKEY_LOCAL_MACHINE, SPELLING_4122_KEY, "Engine", files[0]);
    EXPECT_REG_SZ(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quenra\\Nalvoro", "OldLangWord", "1033");
    EXPECT_TRUE(FileExists(files[0]));
}

// A replacement cut after the engine went in is rolled back in a recorded
// folder: the engine goes back to its fresh copy's name, unless it is not
// Setup's to move (a read-only file, the distribution's own), and the
// earlier files come back even where the new engine has gone since.
TEST_F(Progress, ARecoveryMovesBackOnlyAnEngineThatIsSetupsOwn)
{
    std::string folder = destination_.Path() + "\\", engine = destination_.File("MSPCR32.DLL");
    const struct {
        const char* engine;  // NULL: gone; "": the distribution's own
        DWORD attributes;
        bool putRight;
    } rows[] = {{"payload MSPCR32.DLL", 0, true},
                {NULL, 0, true},
                {"payload MSPCR32.DLL", FILE_ATTRIBUTE_READONLY, false},
                {"", 0, false}};
    for (const auto& row : rows) {
        WriteFileBytes(destination_.File("MSPCR32.VLO"), "earlier MSPCR32.DLL");
        WriteFileBytes(destination_.File("MSSP_CR.VLO"), "earlier MSSP_CR.LEX");
        WriteFileBytes(destination_.File("MSSP_CR.VLN"), "payload MSSP_CR.LEX");
        if (row.engine && !*row.engine)
            ASSERT_TRUE(CreateHardLinkA(engine.c_str(), source_.File("MSPCR32.DLL").c_str(), NULL));
        else if (row.engine)
            WriteFileBytes(engine, row.engine);
        SetFileAttributesA(engine.c_str(), row.attributes);
        EXPECT_EQ(row.putRight, RecoverComponent(folder.c_str(), SPELLER)) << row.attributes;
        SetFileAttributesA(engine.c_str(), 0);
        EXPECT_EQ(row.putRight ? "earlier MSPCR32.DLL" : "payload MSPCR32.DLL",
                  ReadFileBytes(engine));
        EXPECT_EQ(row.putRight ? 2 : 4, CountFiles(destination_.File("*")));
        EXPECT_EQ("payload MSPCR32.DLL", ReadFileBytes(source_.File("MSPCR32.DLL")));
        for (const char* name :
             {"MSPCR32.DLL", "MSSP_CR.LEX", "MSPCR32.VLO", "MSSP_CR.VLO", "MSSP_CR.VLN"})
            DeleteFileA(destination_.File(name).c_str());
    }
}

// Files of the companions' fixed names that Setup did not make, in a folder
// it has not recorded: each name as a user's file, a folder, a read-only
// file and a link to a file elsewhere, for a first installation, a
// reinstallation, a removal and a removal run from the installed folder.
// None of them changes, moves or goes, Setup leaves no companion of its
// own, no earlier file is lost, the distribution stays whole, and a folder
// holding a file of a name Setup uses is refused, naming it.
TEST_F(Progress, NoFileOfACompanionsNameThatSetupDidNotMakeIsEverTouched)
{
    const char* const companions[] = {"MSPCR32.VLN", "MSSP_CR.VLN", "MSHYCR32.VLN", "MSHY_CR.VLN",
                                      "MSPCR32.VLO", "MSSP_CR.VLO", "MSHYCR32.VLO", "MSHY_CR.VLO",
                                      "MSPCR32.VLP", "MSHYCR32.VLP"};
    const char* const names[] = {"MSPCR32.DLL", "MSSP_CR.LEX", "MSHYCR32.DLL", "MSHY_CR.LEX"};
    enum { USERS, FOLDER, READ_ONLY, LINK };
    enum { FIRST, AGAIN, REMOVAL, FROM_FOLDER };
    TempFolder elsewhere;
    std::string outside = elsewhere.File("outside");
    int rows = 0;
    for (int c = 0; c < 10; c++) {
        for (int kind = USERS; kind <= LINK; kind++) {
            for (int run = FIRST; run <= FROM_FOLDER; run++, rows++) {
                std::string row = std::string(companions[c]) + ", kind " + std::to_string(kind) +
                                  ", run " + std::to_string(run);
                TempFolder folder;
                RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE");
                std::string stray = folder.File(companions[c]), inside = stray + "\\mine";
                WriteFileBytes(outside, "outside");
                if (kind == FOLDER)
                    CreateDirectoryA(stray.c_str(), NULL);
                if (kind == LINK)
                    ASSERT_TRUE(CreateHardLinkA(stray.c_str(), outside.c_str(), NULL)) << row;
                else
                    WriteFileBytes(kind == FOLDER ? inside : stray, "the user's");
                SetFileAttributesA(stray.c_str(), kind == READ_ONLY ? FILE_ATTRIBUTE_READONLY : 0);
                for (int i = 0; run != FIRST && i < 4; i++) {
                    WriteFileBytes(folder.File(names[i]), (run == AGAIN ? "earlier " : "payload ") +
                                                              std::string(names[i]));
                    SetRegString(HKEY_LOCAL_MACHINE,
                                 i < 2 ? SPELLING_4122_KEY : HYPHENATION_4122_KEY,
                                 i % 2 ? "Dictionary" : "Engine", folder.File(names[i]));
                }
                strcpy(SetupState.SourceDir,
                       ((run == FROM_FOLDER ? folder.Path() : source_.Path()) + "\\").c_str());
                SetupState.InstallSpeller = SetupState.InstallHyphenator = 1;
                bool recorded = false;
                std::vector<UiStep> steps = Installing(folder.Path());
                steps[2] = {"Setup", Answer(COMPLETED_TEXT, IDOK)};
                if (run >= REMOVAL) {
                    steps = {{"Remove", Click(IDYES)},
                             {"Remove", Click(IDYES)},
                             {"Removed Files", Click(IDOK)}};
                } else if (c < 8) {
                    // Refused for it, and not recorded while the user is told.
                    steps = Refused(folder.Path());
                    steps[1] = {"Setup", Then(
                                             [&](HWND) {
                                                 recorded =
                                                     IsPathRecorded((folder.Path() + "\\").c_str());
                                             },
                                             Answer("Setup cannot create files in this folder:\n" +
                                                        folder.Path() + "\\\n\n" + stray +
                                                        " is in the way. Choose another folder.",
                                                    IDOK))};
                }
                {
                    UiScript script(steps);
                    EXPECT_EQ(run < REMOVAL && c < 8 ? -1 : 0,
                              run >= REMOVAL ? RemoveComponents(owner_) : InstallComponents(owner_))
                        << row;
                }
                EXPECT_FALSE(recorded) << row;
                EXPECT_EQ(kind == LINK ? "outside" : "the user's",
                          ReadFileBytes(kind == FOLDER ? inside : stray))
                    << row;
                EXPECT_EQ(kind == READ_ONLY,
                          (GetFileAttributesA(stray.c_str()) & FILE_ATTRIBUTE_READONLY) != 0)
                    << row;
                EXPECT_EQ("outside", ReadFileBytes(outside)) << row;
                for (int other = 0; other < 10; other++)
                    EXPECT_TRUE(other == c || !FileExists(folder.File(companions[other])))
                        << companions[other] << " left, " << row;
                for (const char* name : names) {
                    std::string now = ReadFileBytes(folder.File(name));
                    EXPECT_EQ(PayloadOf(name), ReadFileBytes(source_.File(name))) << row;
                    EXPECT_TRUE(run != AGAIN || now == "earlier " + std::string(name) ||
                                now == PayloadOf(name))
                        << name << " lost, " << row;
                    EXPECT_TRUE(run != FROM_FOLDER || now == PayloadOf(name))
                        << name << ", " << row;
                }
                SetFileAttributesA(stray.c_str(), 0);
                if (HasFailure())
                    return;
            }
        }
    }
    EXPECT_EQ(160, rows);
}

// The Windows 95 family deletes a key with its subkeys.
extern "C" decltype(&RegDeleteKeyA) importedDeleteKey asm(IMPORTED(RegDeleteKeyA, 8));
LONG WINAPI DeleteKeyAsWindows95(HKEY parent, LPCSTR subkey)
{
    return RegDeleteTreeA(parent, subkey);
}

// Removal deletes only what it told apart from the distribution's files: a
// registered file that cannot be told stays, and is listed, and so do the
// recorded folders where companions are left.  On Windows 95 the language key goes
// with its "Normal", and another product's for 1050 stays.
TEST_F(Progress, ARemovalKeepsARegisteredFileItCannotTell)
{
    StandIn deleteKey(importedDeleteKey, DeleteKeyAsWindows95);
    std::string engine = destination_.File("MSPCR32.DLL"),
                lexicon = destination_.File("MSSP_CR.LEX");
    WriteFileBytes(engine, "payload MSPCR32.DLL");
    WriteFileBytes(lexicon, "payload MSSP_CR.LEX");
    SetRegString(HKEY_LOCAL_MACHINE, SPELLING_4122_KEY, "Engine", engine);
    SetRegString(HKEY_LOCAL_MACHINE, SPELLING_4122_KEY, "Dictionary", lexicon);
    SetRegString(HKEY_LOCAL_MACHINE, SPELLING_1050_KEY, "Engine", "C:\\Other\\OTHER.DLL");
    // Folders a cut left that cannot be put right, a fresh copy or an old
    // file read-only in each: they stay recorded, and those files are listed.
    TempFolder cuts[2];
    std::string companions[] = {cuts[0].File("MSSP_CR.VLN"), cuts[1].File("MSPCR32.VLO")};
    for (int i = 0; i < 2; i++) {
        WriteFileBytes(companions[i], "left by a cut");
        SetFileAttributesA(companions[i].c_str(), FILE_ATTRIBUTE_READONLY);
        SetRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quenra\\Setup In Progress",
                     (cuts[i].Path() + "\\").c_str(), "");
    }
    unopenable = lexicon;
    StandIn create(importedCreateFile, OpenAsWindows95);
    std::string listed;
    UiScript script(
        {{"Remove", Click(IDYES)}, {"Remove", Click(IDYES)}, {"Removed Files", [&listed](HWND box) {
                                                                  listed = MessageBoxTextOf(box);
                                                                  PostClick(box, IDOK);
                                                              }}});
    EXPECT_EQ(0, RemoveComponents(owner_));
    EXPECT_FALSE(FileExists(engine));
    EXPECT_TRUE(FileExists(lexicon)) << "a file that could not be told was deleted";
    EXPECT_NE(std::string::npos, listed.find(lexicon)) << listed;
    for (int i = 0; i < 2; i++) {
        EXPECT_NE(std::string::npos, listed.find(cuts[i].Path() + "\\\n")) << listed;
        EXPECT_TRUE(IsPathRecorded((cuts[i].Path() + "\\").c_str()));
        SetFileAttributesA(companions[i].c_str(), 0);
    }
    EXPECT_REG_KEY(HKEY_LOCAL_MACHINE, (std::string(SPELLING_KEY) + "\\4122").c_str(), false);
    // Another product's tools for 1050 stay.
    EXPECT_REG_SZ(HKEY_LOCAL_MACHINE, SPELLING_1050_KEY, "Engine", "C:\\Other\\OTHER.DLL");
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
                            {"Installation", nullptr},
                            {"Setup", AnswerBox(notice, IDOK)}});
    // A volatile key takes no lasting subkey: the language names cannot be written.
    std::string names = std::string(PROOFING_KEY) + "Language";
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, names.c_str());
    HKEY key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, names.c_str(), 0, NULL, REG_OPTION_VOLATILE, KEY_READ, NULL,
                    &key, NULL);
    RegCloseKey(key);
    run(InstallComponents, {{"File Destination", Click(IDOK)},
                            {"Installation", nullptr},
                            {"Setup", AnswerBox(warning, IDOK)}});
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
