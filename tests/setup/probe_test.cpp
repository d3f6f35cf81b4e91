#include "setup/setup.h"
#include "support/office_keys.h"
#include "support/registry_sandbox.h"

#include <cstring>
#include <string>

namespace {

class Probe : public RegistrySandbox {
protected:
    void SetUp() override
    {
        RegistrySandbox::SetUp();
        memset(&SetupState, 0x01, sizeof SetupState);
    }

    static void InstallApplication(const char* program)
    {
        SetRegString(HKEY_LOCAL_MACHINE, (std::string(APP_PATHS_KEY) + program).c_str(), "Path",
                     "C:\\Program Files\\Microsoft Office\\Office");
    }

    static void RegisterEngine(const char* tool, const char* language)
    {
        std::string key = std::string(PROOFING_KEY) + tool + "\\" + language + "\\Normal";
        SetRegString(HKEY_LOCAL_MACHINE, key.c_str(), "Engine",
                     tool == std::string("Spelling") ? "C:\\Gone\\MSPCR32.DLL"
                                                     : "C:\\Gone\\mshycr32.dll");
    }
};

TEST_F(Probe, WithoutOfficeNothingIsInstalledAndOnlyTheSpellerIsProposed)
{
    ProbeEnvironment();
    EXPECT_EQ(0, SetupState.WordInstalled);
    EXPECT_EQ(0, SetupState.ExcelInstalled);
    EXPECT_EQ(0, SetupState.PowerPointInstalled);
    EXPECT_EQ(0, SetupState.AccessInstalled);
    EXPECT_EQ(0, SetupState.OutlookInstalled);
    EXPECT_EQ(0, SetupState.SpellerRegistered);
    EXPECT_EQ(0, SetupState.HyphenatorRegistered);
    EXPECT_EQ(1, SetupState.InstallSpeller);
    EXPECT_EQ(0, SetupState.InstallHyphenator);
}

TEST_F(Probe, FindsAllFiveApplicationsByTheirAppPaths)
{
    for (const char* program :
         {"Winword.EXE", "EXCEL.EXE", "POWERPNT.EXE", "MSACCESS.EXE", "OUTLOOK.EXE"})
        InstallApplication(program);
    ProbeEnvironment();
    EXPECT_EQ(1, SetupState.WordInstalled);
    EXPECT_EQ(1, SetupState.ExcelInstalled);
    EXPECT_EQ(1, SetupState.PowerPointInstalled);
    EXPECT_EQ(1, SetupState.AccessInstalled);
    EXPECT_EQ(1, SetupState.OutlookInstalled);
    EXPECT_EQ(1, SetupState.InstallHyphenator) << "proposed because Word is installed";
}

TEST_F(Probe, AnAppPathsKeyWithoutItsPathValueIsNoInstallation)
{
    CreateRegKey(HKEY_LOCAL_MACHINE, (std::string(APP_PATHS_KEY) + "Winword.EXE").c_str());
    ProbeEnvironment();
    EXPECT_EQ(0, SetupState.WordInstalled);
}

TEST_F(Probe, ASpellerRegisteredOnlyUnder1050Counts)
{
    RegisterEngine("Spelling", "1050");
    ProbeEnvironment();
    EXPECT_EQ(1, SetupState.SpellerRegistered) << "its engine file need not exist";
    EXPECT_EQ(0, SetupState.HyphenatorRegistered);
}

TEST_F(Probe, AHyphenatorAloneIsRegisteredWithoutTheSpeller)
{
    RegisterEngine("Hyphenation", "4122");
    ProbeEnvironment();
    EXPECT_EQ(0, SetupState.SpellerRegistered);
    EXPECT_EQ(1, SetupState.HyphenatorRegistered);
}

TEST_F(Probe, ADictionaryWithoutAnEngineIsNoRegistration)
{
    SetRegString(HKEY_LOCAL_MACHINE, (std::string(PROOFING_KEY) + "Spelling\\4122\\Normal").c_str(),
                 "Dictionary", "C:\\X.LEX");
    ProbeEnvironment();
    EXPECT_EQ(0, SetupState.SpellerRegistered);
}

TEST_F(Probe, SourceDirIsTheProgramsFolderWithItsBackslash)
{
    char program[MAX_PATH];
    GetModuleFileNameA(NULL, program, sizeof program);
    ProbeEnvironment();
    std::string expected(program);
    expected.erase(expected.rfind('\\') + 1);
    EXPECT_EQ(expected, SetupState.SourceDir);
}

TEST_F(Probe, DestinationIsTheProofFolderUnderCommonFiles)
{
    SetRegString(HKEY_LOCAL_MACHINE, CURRENT_VERSION_KEY, "CommonFilesDir", "D:\\Common");
    ProbeEnvironment();
    EXPECT_STREQ("D:\\Common\\Microsoft Shared\\Proof", SetupState.DestDir);
    EXPECT_STREQ(SetupState.DestDir, SetupState.ProposedDir) << "to tell it from a typed one";
}

TEST_F(Probe, ACommonFilesDirTooLongForTheProofFolderIsPassedOver)
{
    // 489 characters and "\Microsoft Shared\Proof" would need 513 bytes.
    std::string common = "D:\\" + std::string(486, 'c');
    SetRegString(HKEY_LOCAL_MACHINE, CURRENT_VERSION_KEY, "CommonFilesDir", common);
    ProbeEnvironment();
    EXPECT_STREQ("C:\\Program Files\\Common Files\\Microsoft Shared\\Proof", SetupState.DestDir);

    common.pop_back();
    SetRegString(HKEY_LOCAL_MACHINE, CURRENT_VERSION_KEY, "CommonFilesDir", common);
    ProbeEnvironment();
    EXPECT_EQ(common + "\\Microsoft Shared\\Proof", SetupState.DestDir);
}

TEST(DefaultDestination, FollowsTheRuleOfEachPlatform)
{
    char dest[PATH_BUFFER_SIZE];
    ChooseDefaultDestination(dest, NULL, VER_PLATFORM_WIN32_WINDOWS, 4, "C:\\WINDOWS");
    EXPECT_STREQ("C:\\Program Files\\Common Files\\Microsoft Shared\\Proof", dest) << "Windows 95";
    ChooseDefaultDestination(dest, NULL, VER_PLATFORM_WIN32_NT, 4, "C:\\WINNT");
    EXPECT_STREQ("C:\\Program Files\\Common Files\\Microsoft Shared\\Proof", dest) << "NT 4";
    ChooseDefaultDestination(dest, NULL, VER_PLATFORM_WIN32_NT, 3, "C:\\WINNT35");
    EXPECT_STREQ("C:\\WINNT35\\MSAPPS\\PROOF", dest) << "NT 3.51";
    ChooseDefaultDestination(dest, "E:\\Shared", VER_PLATFORM_WIN32_NT, 3, "C:\\WINNT35");
    EXPECT_STREQ("E:\\Shared\\Microsoft Shared\\Proof", dest) << "CommonFilesDir comes first";
}

TEST(DefaultDestination, NT3WithoutAUsableWindowsDirectoryFallsBackToCWindows)
{
    char dest[PATH_BUFFER_SIZE];
    ChooseDefaultDestination(dest, NULL, VER_PLATFORM_WIN32_NT, 3, NULL);
    EXPECT_STREQ("C:\\WINDOWS\\MSAPPS\\PROOF", dest);
    std::string huge(505, 'w');
    ChooseDefaultDestination(dest, NULL, VER_PLATFORM_WIN32_NT, 3, huge.c_str());
    EXPECT_STREQ("C:\\WINDOWS\\MSAPPS\\PROOF", dest);
}

}  // namespace
