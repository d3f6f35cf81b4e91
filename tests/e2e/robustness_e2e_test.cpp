// What a broken or hostile machine gives the real Setup.exe: a full disk,
// files it cannot read, write or delete, registry keys it may not write, and
// registry values that name files it does not own.  In every case it ends
// normally, touches nothing but its own files and keys, and says what
// happened.
#include "e2e/driver.h"
#include "support/office_keys.h"
#include "support/registry_sandbox.h"

#include <gtest/gtest.h>

#include <sddl.h>

namespace {

const char* const WRITTEN_KEYS[] = {
    SPELLING_4122_KEY,
    SPELLING_1050_KEY,
    "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Hyphenation\\4122\\Normal",
    "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Hyphenation\\1050\\Normal",
    "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Language\\4122",
    "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Language\\1050",
    "SOFTWARE\\Microsoft\\Office\\8.0\\Word",
    "SOFTWARE\\Quenra\\Nalvoro",
    "SOFTWARE\\Quenra\\Setup In Progress",
};
const wchar_t COMPLETED[] =
    L"Setup completed successfully.\nYou may now use the installed Velmora with your MS Office 97 "
    L"applications.";
const wchar_t REGISTRY_LINE[] =
    L"Could not write the registry settings. Administrator rights may be required.";

// Sets a key's access list from its text form; false when Wine refuses.
bool SetKeyAccess(const char* key, const char* access)
{
    HKEY handle;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, WRITE_DAC, &handle) != ERROR_SUCCESS)
        return false;
    PSECURITY_DESCRIPTOR descriptor = NULL;
    bool done = ConvertStringSecurityDescriptorToSecurityDescriptorA(access, SDDL_REVISION_1,
                                                                     &descriptor, NULL) &&
                RegSetKeySecurity(handle, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
    LocalFree(descriptor);
    RegCloseKey(handle);
    return done;
}

// Everyone may do anything but set values and create subkeys.
const char READ_ONLY[] = "D:(D;OICI;0x6;;;WD)(A;OICI;KA;;;WD)";
const char FULL_ACCESS[] = "D:(A;OICI;KA;;;WD)";

class Robustness : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetOfficeRegistry();
        InstallOfficeApplications(true, false, false, false, false);
    }
    void TearDown() override
    {
        for (const char* key : WRITTEN_KEYS)
            SetKeyAccess(key, FULL_ACCESS);
        ResetOfficeRegistry();
    }

    // Every key Setup writes, made read-only; false where this Wine does
    // not honour a key's access list.
    bool MakeWrittenKeysReadOnly()
    {
        for (const char* key : WRITTEN_KEYS) {
            CreateRegKey(HKEY_LOCAL_MACHINE, key);
            EXPECT_TRUE(SetKeyAccess(key, READ_ONLY)) << key;
        }
        HKEY probe;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SPELLING_4122_KEY, 0, KEY_SET_VALUE, &probe) !=
            ERROR_SUCCESS)
            return true;
        RegCloseKey(probe);
        return false;
    }

    // A whole installation into folder; the message it ends with is checked.
    void InstallExpecting(const std::string& folder, const std::wstring& text)
    {
        SetupProcess setup(distribution_);
        AcceptDestination(WalkToDestination(setup, Choices()), folder);
        setup.Answer(L"Setup", text, IDOK);
        EXPECT_EQ(0, setup.WaitForExit());
    }

    Distribution distribution_;
    TempFolder destinations_;
};

// The earlier engine on the drive must survive its failed replacement whole:
// the new one is larger than all the room there is.
TEST_F(Robustness, AFullDestinationDriveIsReportedAndNothingIsRegistered)
{
    if (GetDriveTypeA("F:\\") == DRIVE_NO_ROOT_DIR)
        GTEST_SKIP() << "no full drive F: could be mounted on this machine";
    WriteFileBytes(distribution_.File("MSPCR32.DLL"), std::string(256 * 1024, 'n'));
    InstallExpecting("F:\\Proof", InstallWarning("F:\\Proof", {"MSPCR32.DLL", "MSHYCR32.DLL"}));
    EXPECT_REG_KEY(HKEY_LOCAL_MACHINE, SPELLING_4122_KEY, false);
    EXPECT_REG_KEY(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quenra\\Nalvoro", false);
    EXPECT_TRUE(ReadFileBytes("F:\\Proof\\MSPCR32.DLL") == "an earlier engine")
        << "the earlier engine was damaged";
    EXPECT_EQ(1, CountFiles("F:\\Proof\\*")) << "a temporary file left behind";
}

// Another installation of the speller on drive G:, whose room takes the new
// engine but not the new lexicon.  A component is replaced whole or not at
// all: another product's lexicon is not registered for Setup's, and an
// earlier installation stays as it was, files and registration.
TEST_F(Robustness, AComponentIsReplacedWholeOrNotAtAll)
{
    if (!IsDrivePresent(TIGHT_DRIVE))
        GTEST_SKIP() << "no tight drive G: could be mounted on this machine";
    WriteFileBytes(distribution_.File("MSSP_CR.LEX"), std::string(256 * 1024, 'x'));
    auto installSpellerInto = [this](const std::string& folder) {
        std::string lexicon = ReadFileBytes(folder + "\\MSSP_CR.LEX");
        Choices speller;
        speller.hyphenator = false;
        speller.wordLanguage = 4;
        SetupProcess setup(distribution_);
        AcceptDestination(WalkToDestination(setup, speller), folder);
        setup.Answer(L"Setup", InstallWarning(folder, {"MSSP_CR.LEX"}), IDOK);
        EXPECT_EQ(0, setup.WaitForExit());
        EXPECT_EQ(lexicon, ReadFileBytes(folder + "\\MSSP_CR.LEX")) << folder;
    };
    installSpellerInto("G:\\Other");
    EXPECT_EQ(1, CountFiles("G:\\Other\\*")) << "a file left behind";
    EXPECT_REG_KEY(HKEY_LOCAL_MACHINE, SPELLING_4122_KEY, false);
    // Nor are the languages applied without a speller.
    EXPECT_REG_KEY(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quenra\\Nalvoro", false);

    for (const char* key : {SPELLING_4122_KEY, SPELLING_1050_KEY}) {
        SetRegString(HKEY_LOCAL_MACHINE, key, "Engine", "G:\\Proof\\MSPCR32.DLL");
        SetRegString(HKEY_LOCAL_MACHINE, key, "Dictionary", "G:\\Proof\\MSSP_CR.LEX");
    }
    installSpellerInto("G:\\Proof");
    EXPECT_EQ("an earlier engine", ReadFileBytes("G:\\Proof\\MSPCR32.DLL"));
    EXPECT_EQ(2, CountFiles("G:\\Proof\\*")) << "a file left behind";
    EXPECT_REG_SZ(HKEY_LOCAL_MACHINE, SPELLING_1050_KEY, "Dictionary", "G:\\Proof\\MSSP_CR.LEX");
}

// While files copy the backdrop is enabled: Alt+F4 on it must not end the
// run half done and unseen.  The progress page may come and go too fast to
// be seen; the file Setup makes to test the folder comes just before it, and
// no message is taken between them and the first copy.
TEST_F(Robustness, ClosingTheBackdropWhileFilesCopyChangesNothing)
{
    for (const char* name : {"MSPCR32.DLL", "MSSP_CR.LEX", "MSHYCR32.DLL", "MSHY_CR.LEX"})
        WriteFileBytes(distribution_.File(name), std::string(16 << 20, 'p'));
    SetupProcess setup(distribution_);
    HANDLE change = FindFirstChangeNotificationA(destinations_.Path().c_str(), TRUE,
                                                 FILE_NOTIFY_CHANGE_FILE_NAME);
    ASSERT_NE(INVALID_HANDLE_VALUE, change);
    AcceptDestination(WalkToDestination(setup, Choices()), destinations_.File("Proof"));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(change, 20000));
    FindCloseChangeNotification(change);
    PostMessageA(setup.MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    HWND completed = setup.WaitFor(L"Setup", IDOK);
    ASSERT_TRUE(completed);
    EXPECT_EQ(COMPLETED, Text(completed, 0xFFFF));
    EXPECT_TRUE(IsWindowVisible(setup.MainWindow())) << "the backdrop was closed";
    Click(completed, IDOK);
    EXPECT_EQ(0, setup.WaitForExit());
}

TEST_F(Robustness, AnUnreadablePayloadFileIsReportedAndItsComponentNotRegistered)
{
    HANDLE held = CreateFileA(distribution_.File("MSPCR32.DLL").c_str(), GENERIC_READ, 0, NULL,
                              OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    std::string folder = destinations_.File("Proof");
    InstallExpecting(folder, InstallWarning(folder, {"MSPCR32.DLL"}));
    CloseHandle(held);
    EXPECT_REG_KEY(HKEY_LOCAL_MACHINE, SPELLING_4122_KEY, false);
    EXPECT_REG_SZ(HKEY_LOCAL_MACHINE,
                  "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Hyphenation\\4122\\Normal",
                  "Engine", folder + "\\MSHYCR32.DLL");
}

// A read-only file is the user's: Setup does not replace it, whatever the
// file system would allow (Wine lets root write over it), and says so.
TEST_F(Robustness, AReadOnlyDestinationFileIsKeptAndReported)
{
    std::string folder = destinations_.File("Proof");
    std::string engine = folder + "\\MSPCR32.DLL";
    CreateDirectoryA(folder.c_str(), NULL);
    WriteFileBytes(engine, "old");
    SetFileAttributesA(engine.c_str(), FILE_ATTRIBUTE_READONLY);
    InstallExpecting(folder, InstallWarning(folder, {"MSPCR32.DLL"}));
    SetFileAttributesA(engine.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ("old", ReadFileBytes(engine));
}

TEST_F(Robustness, RegistryKeysThatMayNotBeWrittenAreReported)
{
    if (!MakeWrittenKeysReadOnly())
        GTEST_SKIP() << "this Wine does not honour a key's access list";
    // Without its record Setup makes no file: nothing is copied.
    std::string folder = destinations_.File("Proof");
    std::wstring left;
    for (const char* name : PAYLOAD_FILES)
        left += L"Left as it was: " + Wide(folder + "\\" + name) + L"\n";
    InstallExpecting(folder, L"Setup could not complete the installation of Velmora.\n\n" + left +
                                 REGISTRY_LINE + L"\n\nCorrect the problem and run Setup again.");
    EXPECT_EQ(0, CountRegValues(HKEY_LOCAL_MACHINE, SPELLING_4122_KEY));
    EXPECT_EQ(0, CountRegValues(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quenra\\Nalvoro"));
    EXPECT_EQ(0, CountFiles(folder + "\\*"));
}

// Without administrator rights on Windows NT the language writes fail; the
// user must not be left to think the languages changed.
class RobustLanguages : public Robustness {
protected:
    // The change-default branch taken with every key Setup writes read-only;
    // false where this Wine does not honour a key's access list.
    bool ChangeExpecting(bool serbian, const std::wstring& text)
    {
        SetRegString(HKEY_LOCAL_MACHINE, SPELLING_4122_KEY, "Engine", "C:\\Proof\\MSPCR32.DLL");
        if (!MakeWrittenKeysReadOnly())
            return false;
        SetupProcess setup(distribution_);
        PassWelcomeAndLanguage(setup, serbian);
        if (HWND options =
                setup.WaitFor(serbian ? L"Instalacione opcije" : L"Installation Options"))
            Click(options, IDC_CHANGE_DEFAULT);
        if (HWND page = setup.WaitFor(serbian ? L"Izaberite osnovni jezik za pisanje"
                                              : L"Set Default Language"))
            Click(page, IDOK);
        setup.Answer(serbian ? L"Instalacija" : L"Setup", text, IDOK);
        EXPECT_EQ(0, setup.WaitForExit());
        return true;
    }
};

TEST_F(RobustLanguages, ChangingTheDefaultLanguagesWithoutRightsSaysSo)
{
    if (!ChangeExpecting(false, std::wstring(L"Setup could not change the default languages.\n\n") +
                                    REGISTRY_LINE))
        GTEST_SKIP() << "this Wine does not honour a key's access list";
    EXPECT_EQ(0, CountRegValues(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Office\\8.0\\Word"));
}

TEST_F(RobustLanguages, ChangingTheDefaultLanguagesWithoutRightsSaysSoInSerbian)
{
    if (!ChangeExpecting(true,
                         L"Instalacioni program nije uspeo da promeni osnovne jezike.\n\nNije "
                         L"moguće upisati podešavanja u registar sistema. Možda su potrebna "
                         L"administratorska prava."))
        GTEST_SKIP() << "this Wine does not honour a key's access list";
}

class RobustRemoval : public Robustness {
protected:
    void Register(const char* key, const char* value, const std::string& path)
    {
        SetRegString(HKEY_LOCAL_MACHINE, key, value, path);
    }

    void RemoveExpecting(const std::wstring& text)
    {
        SetupProcess setup(distribution_);
        WalkToRemove(setup, false);
        if (HWND question = setup.WaitFor(L"Remove", IDYES))
            Click(question, IDYES);
        if (HWND lastTools = setup.WaitFor(L"Remove", IDYES))
            Click(lastTools, IDYES);
        setup.Answer(L"Removed Files", text, IDOK);
        EXPECT_EQ(0, setup.WaitForExit());
    }
};

TEST_F(RobustRemoval, AReadOnlyInstalledFileIsReported)
{
    std::string engine = destinations_.File("MSPCR32.DLL");
    WriteFileBytes(engine, PayloadBytes("MSPCR32.DLL"));
    SetFileAttributesA(engine.c_str(), FILE_ATTRIBUTE_READONLY);
    Register(SPELLING_4122_KEY, "Engine", engine);
    RemoveExpecting(L"Some previously installed files could not be removed:\n" + Wide(engine) +
                    L"\n\nClose any program using them, then run Setup again.");
    SetFileAttributesA(engine.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Another product's tools registered for 1050 stay registered, files and all.
// A folder bearing the engine's name is no file of Setup's: it stays, with
// what it holds, and is not listed for the user to delete.
TEST_F(RobustRemoval, FilesAndRegistrationsThatAreNotSetupsOwnAreLeftAlone)
{
    std::string precious = destinations_.File("PRECIOUS.DLL");
    std::string lexicon = destinations_.File("MSSP_CR.LEX");
    std::string folder = destinations_.File("Proof");
    std::string engineFolder = destinations_.File("MSHYCR32.DLL");
    WriteFileBytes(precious, "not Setup's");
    WriteFileBytes(lexicon, "another product's lexicon");
    CreateDirectoryA(folder.c_str(), NULL);
    CreateDirectoryA(engineFolder.c_str(), NULL);
    WriteFileBytes(engineFolder + "\\letter.doc", "the user's");
    Register(HYPHENATION_4122_KEY, "Engine", engineFolder);
    Register(SPELLING_4122_KEY, "Engine", destinations_.File("MSPCR32.DLL"));
    Register(SPELLING_4122_KEY, "Dictionary", folder);
    Register(SPELLING_1050_KEY, "Engine", precious);
    Register(SPELLING_1050_KEY, "Dictionary", lexicon);
    Register(HYPHENATION_1050_KEY, "Engine", "C:\\windows\\system32\\kernel32.dll");
    RemoveExpecting(L"All previously installed files were successfully removed!");
    EXPECT_EQ("not Setup's", ReadFileBytes(precious));
    EXPECT_EQ("another product's lexicon", ReadFileBytes(lexicon));
    EXPECT_TRUE(FileExists(folder));
    EXPECT_TRUE(FileExists("C:\\windows\\system32\\kernel32.dll"));
    EXPECT_EQ("the user's", ReadFileBytes(engineFolder + "\\letter.doc"));
    EXPECT_REG_NO_VALUE(HKEY_LOCAL_MACHINE, SPELLING_4122_KEY, "Engine");
    EXPECT_REG_SZ(HKEY_LOCAL_MACHINE, SPELLING_1050_KEY, "Engine", precious);
    EXPECT_REG_SZ(HKEY_LOCAL_MACHINE, HYPHENATION_1050_KEY, "Engine",
                  "C:\\windows\\system32\\kernel32.dll");
}

// As from a CD-ROM: the copies must not keep the read-only attribute, or a
// later removal cannot delete them.
TEST_F(RobustRemoval, FilesInstalledFromReadOnlyMediaAreRemovedLater)
{
    const char* const names[] = {"MSPCR32.DLL", "MSSP_CR.LEX", "MSHYCR32.DLL", "MSHY_CR.LEX"};
    for (const char* name : names)
        SetFileAttributesA(distribution_.File(name).c_str(), FILE_ATTRIBUTE_READONLY);
    std::string folder = destinations_.File("Proof");
    InstallExpecting(folder, COMPLETED);
    for (const char* name : names) {
        DWORD attributes = GetFileAttributesA((folder + "\\" + name).c_str());
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, attributes) << name;
        EXPECT_EQ(0u, attributes & FILE_ATTRIBUTE_READONLY) << name;
    }
    RemoveExpecting(L"All previously installed files were successfully removed!");
    for (const char* name : names) {
        EXPECT_FALSE(FileExists(folder + "\\" + name)) << name;
        SetFileAttributesA(distribution_.File(name).c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

}  // namespace
