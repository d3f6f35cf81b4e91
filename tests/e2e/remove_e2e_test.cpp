// Removing with the real Setup.exe: the two questions, the files and keys
// removed, the languages restored and what is left behind.
#include "e2e/driver.h"
#include "support/office_keys.h"
#include "support/registry_sandbox.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const wchar_t QUESTION[] =
    L"Are you sure you want to remove the Velmora?\n\nWARNING: If you choose Yes, Velmora will be "
    L"removed from all MS Office 97 applications. The default Proofing Tool language will revert "
    L"back to your original settings.";
const wchar_t LAST_TOOLS[] =
    L"WARNING: You do not have any other Proofing Tools installed. If you remove Velmora, then you "
    L"will have no Proofing Tools installed in your MS Office 97 applications.\n\nIf you wish to "
    L"remove Velmora and revert to the deleted tools that were previously installed, click Yes to "
    L"continue and make sure that you manually reinstall them.\n\nClick No if you wish to keep "
    L"Velmora.";
const wchar_t REMOVED[] = L"All previously installed files were successfully removed!";
const wchar_t QUESTION_SR[] =
    L"Da li ste sigurni da želite da izbacite alatke za proveru teksta na srpskom jeziku?\n\n"
    L"UPOZORENJE: Ukoliko izaberete Da, alatke za proveru teksta na srpskom jeziku će biti "
    L"izbačene iz svih Office 97 aplikacija. Osnovni jezik za pisanje će biti vraćen na vrednost "
    L"zatečenu prilikom instalacije.";
const wchar_t LAST_TOOLS_SR[] =
    L"UPOZORENJE: Nijedan drugi alat za proveru teksta nije instaliran. Ukoliko izbacite alatke za "
    L"proveru teksta na srpskom jeziku, neće vam ostati ni jedna druga alatka za proveru teksta u "
    L"vašim MS Office 97 aplikacijama.\n\nUkoliko želite da izbacite alatke za proveru teksta na "
    L"srpskom jeziku i vratite se na izbrisane alatke koje su prethodno bile instalirane, kliknite "
    L"na Da kako biste nastavili i potrudite se da ih ručno re-instalirate.\n\nKliknite na Ne "
    L"ukoliko želite da zadržite alatke za proveru teksta na srpskom jeziku.";
const wchar_t IN_USE[] = L"\n\nClose any program using them, then run Setup again.";
const wchar_t UNREACHABLE[] = L"\n\nConnect their drive, then run Setup again.";
const wchar_t KEPT[] = L"\n\nRun Setup from another copy for those in its folder.";
// The lines each begin with a line feed.
std::wstring NotRemoved(const std::wstring& lines, const std::wstring& advice = IN_USE)
{
    return L"Some previously installed files could not be removed:" + lines + advice;
}
const wchar_t NOT_REMOVED_SR[] =
    L"Neke prethodno instalirane datoteke nije bilo moguće izbaciti:\n";

// Each round fills the eight values a removal reads, in the order it reads
// them, each with its own payload file's name.
const struct {
    const char* key;
    const char* value;
    const char* file;
} REGISTERED_VALUES[] = {
    {SPELLING_4122_KEY, "Engine", "MSPCR32.DLL"},
    {SPELLING_4122_KEY, "Dictionary", "MSSP_CR.LEX"},
    {SPELLING_1050_KEY, "Engine", "MSPCR32.DLL"},
    {SPELLING_1050_KEY, "Dictionary", "MSSP_CR.LEX"},
    {HYPHENATION_4122_KEY, "Engine", "MSHYCR32.DLL"},
    {HYPHENATION_4122_KEY, "Dictionary", "MSHY_CR.LEX"},
    {HYPHENATION_1050_KEY, "Engine", "MSHYCR32.DLL"},
    {HYPHENATION_1050_KEY, "Dictionary", "MSHY_CR.LEX"},
};

class Remove : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetOfficeRegistry();
        InstallOfficeApplications(true, true, true, true, true);
        folder_ = installed_.Path();
    }
    void TearDown() override { ResetOfficeRegistry(); }

    // What an installation of the chosen components into folder_ leaves.
    void Installed(bool speller, bool hyphenator)
    {
        PlaceInstallation(folder_, speller, hyphenator, PayloadBytes);
        SetRegString(HKEY_LOCAL_MACHINE, LANGUAGE_4122_KEY, "Name", "Croatian       ");
        SetRegString(HKEY_LOCAL_MACHINE, LANGUAGE_1050_KEY, "Name", "Croatian (B&H)    ");
    }

    void OtherLanguage(const std::string& name)
    {
        CreateRegKey(HKEY_LOCAL_MACHINE,
                     (std::string(SPELLING_KEY) + "\\" + name + "\\Normal").c_str());
    }

    // A removal answered Yes throughout, from this test's distribution unless
    // told another; lastTools tells whether the second question must come.
    void RemoveAll(bool lastTools, const std::wstring& finalText = REMOVED,
                   const Distribution* from = nullptr)
    {
        SetupProcess setup(from ? *from : distribution_);
        WalkToRemove(setup, false);
        setup.Answer(L"Remove", QUESTION, IDYES);
        if (lastTools)
            setup.Answer(L"Remove", LAST_TOOLS, IDYES);
        setup.Answer(L"Removed Files", finalText, IDOK, true);
        EXPECT_EQ(0, setup.WaitForExit());
    }

    // Folders under which the distribution's files are registered, by other
    // names; a removal from the distribution must delete none of them, and
    // names as kept those registered by a full path.  A path longer than
    // Windows' ANSI calls take cannot be told: it is listed as not removed.
    void ExpectNoneRemoved(const Distribution& distribution,
                           const std::vector<std::string>& folders)
    {
        std::string payload = distribution.PayloadContents();
        int files = CountFiles(distribution.File("*"));
        const size_t values = sizeof REGISTERED_VALUES / sizeof REGISTERED_VALUES[0];
        for (size_t first = 0; first < folders.size(); first += values) {
            ResetOfficeRegistry();
            std::wstring listed;
            bool untold = false, kept = false;
            for (size_t i = 0; i < values && first + i < folders.size(); i++) {
                const auto& value = REGISTERED_VALUES[i];
                std::string path = folders[first + i] + value.file;
                SetRegString(HKEY_LOCAL_MACHINE, value.key, value.value, path);
                if (path.find(":\\") != 1 && path[0] != '\\')
                    continue;
                listed += L"\n" + Wide(path);
                (path.size() > MAX_PATH ? untold : kept) = true;
            }
            RemoveAll(true,
                      NotRemoved(listed, std::wstring(untold ? IN_USE : L"") + (kept ? KEPT : L"")),
                      &distribution);
            EXPECT_EQ(payload, distribution.PayloadContents()) << "round from " << first;
            EXPECT_EQ(files, CountFiles(distribution.File("*"))) << "a file left behind";
            for (const auto& value : REGISTERED_VALUES) {
                if (std::string(value.value) == "Engine")
                    EXPECT_REG_NO_VALUE(HKEY_LOCAL_MACHINE, value.key, "Engine");
            }
        }
    }

    Distribution distribution_;
    TempFolder installed_;
    std::string folder_;
};

TEST_F(Remove, AnotherLanguageSparesTheSecondQuestion)
{
    Installed(true, true);
    OtherLanguage("1033");
    RemoveAll(false);
    for (const char* name : {"MSPCR32.DLL", "MSSP_CR.LEX", "MSHYCR32.DLL", "MSHY_CR.LEX"})
        EXPECT_FALSE(FileExists(installed_.File(name))) << name;
    EXPECT_REG_KEY(HKEY_LOCAL_MACHINE, (std::string(SPELLING_KEY) + "\\1033\\Normal").c_str(),
                   true);
}

TEST_F(Remove, OnlySetupsOwnLanguagesBringTheSecondQuestion)
{
    Installed(true, false);
    RemoveAll(true);
}

TEST_F(Remove, AnEmptyOrMissingSpellingKeyBringsTheSecondQuestion)
{
    Installed(false, true);
    RemoveAll(true);
    CreateRegKey(HKEY_LOCAL_MACHINE, SPELLING_KEY);
    Installed(false, true);
    RemoveAll(true);
}

TEST_F(Remove, NamesThatAreNotFourDigitsDoNotCountAndALongNameEndsTheScan)
{
    Installed(true, false);
    for (const char* name : {"Normal", "103", "10a3", "12345"})
        OtherLanguage(name);
    OtherLanguage("0" + std::string(100, 'x'));
    OtherLanguage("3081");
    RemoveAll(true);
    Installed(true, false);
    OtherLanguage("0000");
    RemoveAll(false);
}

TEST_F(Remove, NoToEitherQuestionChangesNothing)
{
    Installed(true, true);
    SetRegDword(HKEY_LOCAL_MACHINE, SAVED_KEY, "OldLangWord", 3081);
    std::string before = DumpProgramRegistry();
    for (bool atSecond : {false, true}) {
        SetupProcess setup(distribution_);
        WalkToRemove(setup, false);
        setup.Answer(L"Remove", QUESTION, atSecond ? IDYES : IDNO);
        if (atSecond)
            setup.Answer(L"Remove", LAST_TOOLS, IDNO);
        EXPECT_EQ(0, setup.WaitForExit()) << "no further message";
        EXPECT_EQ(before, DumpProgramRegistry());
        EXPECT_TRUE(FileExists(installed_.File("MSPCR32.DLL")));
    }
}

TEST_F(Remove, RestoresTheSavedLanguagesInBothFormsAndRemovesOnlyTheMakersSubkey)
{
    Installed(true, true);
    SetRegDword(HKEY_LOCAL_MACHINE, SAVED_KEY, "OldLangWord", 2074);
    SetRegDword(HKEY_LOCAL_MACHINE, SAVED_KEY, "OldLangExcel", 3098);
    SetRegDword(HKEY_LOCAL_MACHINE, SAVED_KEY, "OldLangPowerPoint", 3081);
    SetRegDword(HKEY_LOCAL_MACHINE, SAVED_KEY, "OldLangOutlook", 1060);
    RemoveAll(true);
    EXPECT_LANGUAGES(1033, 1033, 3081, 1033, 1060);
    EXPECT_REG_KEY(HKEY_LOCAL_MACHINE, SAVED_KEY, false);
    EXPECT_REG_KEY(HKEY_LOCAL_MACHINE, MAKER_KEY, true);
    EXPECT_REG_SZ(HKEY_LOCAL_MACHINE, LANGUAGE_4122_KEY, "Name", "Croatian       ");
    EXPECT_REG_SZ(HKEY_LOCAL_MACHINE, LANGUAGE_1050_KEY, "Name", "Croatian (B&H)    ");
}

// Windows NT (and Wine) keep a key that has subkeys: each "Normal" keeps its
// "Dictionary" while its "Engine" goes.
TEST_F(Remove, OnWindowsNTTheNormalKeysKeepTheirDictionaries)
{
    Installed(true, true);
    RemoveAll(true);
    for (const char* tool : {SPELLING_KEY, HYPHENATION_KEY}) {
        for (const char* language : {"4122", "1050"}) {
            std::string key = std::string(tool) + "\\" + language + "\\Normal";
            EXPECT_REG_NO_VALUE(HKEY_LOCAL_MACHINE, key.c_str(), "Engine");
            EXPECT_EQ(1, CountRegValues(HKEY_LOCAL_MACHINE, key.c_str())) << key;
        }
    }
    EXPECT_TRUE(FileExists(folder_)) << "folders are never removed";
}

TEST_F(Remove, WithOnlyAHyphenatorTheLanguagesAreNotWrittenButTheMakersKeyGoes)
{
    Installed(false, true);
    SetRegDword(HKEY_LOCAL_MACHINE, SAVED_KEY, "OldLangWord", 3081);
    RemoveAll(true);
    EXPECT_FALSE(FileExists(installed_.File("MSHYCR32.DLL")));
    EXPECT_REG_KEY(HKEY_LOCAL_MACHINE, WORD_KEY, false);
    EXPECT_REG_KEY(HKEY_LOCAL_MACHINE, SAVED_KEY, false);
}

// Gone from a folder that is there, a file is no failure; on a drive that
// is not there (a network drive not connected), nothing can be said of it:
// it stays known, and goes once the drive is back.
TEST_F(Remove, AFileAlreadyGoneIsNoFailureButOneOnAMissingDriveIsRemovedOnceItIsBack)
{
    Installed(true, false);
    DeleteFileA(installed_.File("MSPCR32.DLL").c_str());
    RemoveAll(true);
    EXPECT_FALSE(FileExists(installed_.File("MSSP_CR.LEX")));
    Installed(false, true);
    SetRegString(HKEY_LOCAL_MACHINE, HYPHENATION_1050_KEY, "Dictionary", "V:\\MSHY_CR.LEX");
    RemoveAll(true, NotRemoved(L"\nV:\\MSHY_CR.LEX", UNREACHABLE));
    EXPECT_FALSE(FileExists(installed_.File("MSHY_CR.LEX")));
    TempFolder drive;
    WriteFileBytes(drive.File("MSHY_CR.LEX"), PayloadBytes("MSHY_CR.LEX"));
    FolderAliases connected(drive.Path());
    RemoveAll(true);
    EXPECT_FALSE(FileExists(drive.File("MSHY_CR.LEX")));
}

// Held open, a file stays known, and goes at the next removal.
TEST_F(Remove, AFileHeldOpenIsReportedAndRemovedOnceClosed)
{
    Installed(true, false);
    std::string held = installed_.File("MSSP_CR.LEX");
    HANDLE file = CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    RemoveAll(true, NotRemoved(L"\n" + Wide(held)));
    CloseHandle(file);
    EXPECT_FALSE(FileExists(installed_.File("MSPCR32.DLL")));
    RemoveAll(true);
    EXPECT_FALSE(FileExists(held));
}

// Removed by a copy of Setup in the installed folder, the files stay known
// as the distribution's, and the distribution removes them.
TEST_F(Remove, FilesKeptByACopyInTheirFolderAreRemovedFromTheDistribution)
{
    Installed(true, true);
    Distribution copy(folder_);
    ASSERT_TRUE(CopyFileA(distribution_.SetupPath().c_str(), copy.SetupPath().c_str(), FALSE));
    std::wstring kept;
    for (const char* name : PAYLOAD_FILES)
        kept += L"\n" + Wide(installed_.File(name));
    RemoveAll(true, NotRemoved(kept, KEPT), &copy);
    EXPECT_EQ(5, CountFiles(installed_.File("*")));
    DeleteFileA(copy.SetupPath().c_str());
    RemoveAll(true);
    EXPECT_EQ(0, CountFiles(installed_.File("*")));
}

// The folder spelt with "." names until its text is length characters
// long, the final backslash included.
std::string Padded(const std::string& folder, size_t length)
{
    std::string padded = folder + "\\";
    if ((length - padded.size()) % 2)
        padded += "\\";
    while (padded.size() < length)
        padded += ".\\";
    return padded;
}

// Registered by hand, by an older copy of Setup, or by an installation into
// the folder Setup is later run from, the distribution's own files by any
// name are never deleted: not by a path relative to where Setup runs, nor by
// another name for its folder, nor on a disk where no file can be made.
TEST_F(Remove, TheDistributionsFilesAreNeverRemovedByAnyName)
{
    std::string folder = distribution_.Folder();
    std::string leaf = folder.substr(folder.rfind('\\') + 1);
    {
        FolderAliases aliases(folder);
        std::vector<std::string> folders = {
            aliases.Drive + "\\",      "..\\" + leaf + "\\",
            aliases.Link + "\\",       "C:",
            aliases.ShortName + "\\",  "",
            "\\\\?\\" + folder + "\\", "\\\\.\\" + folder + "\\",
        };
        folders.push_back(folder + "\\");  // installed into it, then run from there
        // Around MAX_PATH - 14, where a file can no longer be made in a folder.
        for (size_t length = 244; length <= 250; length++)
            folders.push_back(Padded(folder, length));
        ExpectNoneRemoved(distribution_, folders);
    }
    for (const char* onDrive : {DISTRIBUTION_ON_FULL_DRIVE, DISTRIBUTION_ON_READ_ONLY_DRIVE}) {
        if (!IsDrivePresent(onDrive))
            GTEST_SKIP() << "no test drive could be mounted: the names on a full or read-only "
                            "disk were not tried";
        FolderAliases aliases(onDrive);
        std::string named = onDrive;
        ExpectNoneRemoved(Distribution(named),
                          {aliases.Drive + "\\", aliases.Drive + "\\", aliases.Link + "\\",
                           aliases.Link + "\\", aliases.ShortName + "\\", named + "\\",
                           named + "\\.\\", "\\\\?\\" + named + "\\"});
    }
}

TEST_F(Remove, TheQuestionsAndTheReportAreSerbianAfterSerbianIsChosen)
{
    Installed(true, false);
    SetRegString(HKEY_LOCAL_MACHINE, SPELLING_1050_KEY, "Dictionary",
                 distribution_.File("MSSP_CR.LEX"));
    std::string held = installed_.File("MSPCR32.DLL");
    HANDLE file = CreateFileA(held.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    SetupProcess setup(distribution_);
    WalkToRemove(setup, true);
    setup.Answer(L"Izbaci", QUESTION_SR, IDYES);
    setup.Answer(L"Izbaci", LAST_TOOLS_SR, IDYES);
    setup.Answer(L"Izbačene datoteke",
                 NOT_REMOVED_SR + Wide(held) + L"\n" + Wide(distribution_.File("MSSP_CR.LEX")) +
                     L"\n\nZatvorite programe koji ih koriste, pa ponovo pokrenite instalaciju."
                     L"\n\nZa one u njenoj fascikli pokrenite drugu kopiju instalacije.",
                 IDOK, true);
    EXPECT_EQ(0, setup.WaitForExit());
    CloseHandle(file);
}

}  // namespace
