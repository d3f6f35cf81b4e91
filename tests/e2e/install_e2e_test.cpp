// Installing with the real Setup.exe: files, registration, languages and the
// closing message, value by value.
#include "e2e/driver.h"
#include "support/office_keys.h"
#include "support/registry_sandbox.h"

#include <gtest/gtest.h>

#include <cctype>
#include <vector>

namespace {

const char DEFAULT_DESTINATION[] = "C:\\Program Files\\Common Files\\Microsoft Shared\\Proof";

const wchar_t COMPLETED[] =
    L"Setup completed successfully.\nYou may now use the installed Velmora with your MS Office 97 "
    L"applications.";
const wchar_t COMPLETED_SR[] =
    L"Instalacija uspešno završena.\nSada možete da koristite instalirane alatke za proveru "
    L"teksta na srpskom jeziku u vašim Office 97 aplikacijama.";

// The refusals of the File Destination page, naming the folder.
std::wstring Unusable(const std::string& typed)
{
    return L"Setup cannot install into this folder:\n" + Wide(typed) +
           L"\n\nChoose an existing folder, or a new folder inside an existing one.";
}
std::wstring Unwritable(const std::string& resolved,
                        const wchar_t* why = L"The disk may be full or write-protected.")
{
    return L"Setup cannot create files in this folder:\n" + Wide(resolved) + L"\n\n" + why +
           L" Choose another folder.";
}
std::wstring StartedFrom(const std::string& resolved)
{
    return L"Setup cannot install into the folder it was started from:\n" + Wide(resolved) +
           L"\n\nChoose another folder.";
}

class Install : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetOfficeRegistry();
        InstallOfficeApplications(true, true, true, true, true);
        SetRegDword(HKEY_LOCAL_MACHINE, WORD_KEY, "Language ID", 1033);
        CreateDirectoryA("C:\\Program Files\\Common Files\\Microsoft Shared", NULL);
        CreateDirectoryA(DEFAULT_DESTINATION, NULL);
        ClearDefaultDestination();
    }
    void TearDown() override
    {
        ClearDefaultDestination();
        ResetOfficeRegistry();
    }

    static void ClearDefaultDestination()
    {
        for (const char* name : {"MSPCR32.DLL", "MSSP_CR.LEX", "MSHYCR32.DLL", "MSHY_CR.LEX"})
            DeleteFileA((std::string(DEFAULT_DESTINATION) + "\\" + name).c_str());
    }

    // A whole installation ending in the success message.
    void InstallInto(const std::string& destination, const Choices& choices = Choices(),
                     const std::wstring& earlier = L"")
    {
        SetupProcess setup(distribution_);
        AcceptDestination(WalkToDestination(setup, choices), destination);
        setup.Answer(choices.serbian ? L"Instalacija" : L"Setup",
                     (choices.serbian ? COMPLETED_SR : COMPLETED) + earlier, IDOK);
        EXPECT_EQ(0, setup.WaitForExit());
    }

    void ExpectFiles(const std::string& folder, bool speller, bool hyphenator)
    {
        for (const char* name : {"MSPCR32.DLL", "MSSP_CR.LEX"})
            EXPECT_EQ(speller ? PayloadBytes(name) : "<missing>",
                      ReadFileBytes(folder + "\\" + name))
                << name;
        for (const char* name : {"MSHYCR32.DLL", "MSHY_CR.LEX"})
            EXPECT_EQ(hyphenator ? PayloadBytes(name) : "<missing>",
                      ReadFileBytes(folder + "\\" + name))
                << name;
    }

    void ExpectSpellerRegistered(const std::string& folder)
    {
        for (const char* key : {SPELLING_4122_KEY, SPELLING_1050_KEY}) {
            EXPECT_REG_SZ(HKEY_LOCAL_MACHINE, key, "Engine", folder + "\\MSPCR32.DLL");
            EXPECT_REG_SZ(HKEY_LOCAL_MACHINE, key, "Dictionary", folder + "\\MSSP_CR.LEX");
            EXPECT_EQ(2, CountRegValues(HKEY_LOCAL_MACHINE, key));
        }
    }

    void ExpectHyphenatorRegistered(const std::string& folder)
    {
        for (const char* key : {HYPHENATION_4122_KEY, HYPHENATION_1050_KEY}) {
            EXPECT_REG_SZ(HKEY_LOCAL_MACHINE, key, "Engine", folder + "\\MSHYCR32.DLL");
            EXPECT_REG_SZ(HKEY_LOCAL_MACHINE, key, "Dictionary", folder + "\\MSHY_CR.LEX");
            EXPECT_EQ(2, CountRegValues(HKEY_LOCAL_MACHINE, key));
        }
    }

    void ExpectLanguageNames()
    {
        EXPECT_REG_SZ(HKEY_LOCAL_MACHINE, LANGUAGE_4122_KEY, "Name", "Croatian       ");
        EXPECT_REG_SZ(HKEY_LOCAL_MACHINE, LANGUAGE_1050_KEY, "Name", "Croatian (B&H)    ");
    }

    Distribution distribution_;
    TempFolder destinations_;
};

TEST_F(Install, OneInstallationEndToEnd)
{
    Choices choices;
    choices.wordLanguage = 4;
    InstallInto("", choices);
    ExpectFiles(DEFAULT_DESTINATION, true, true);
    ExpectSpellerRegistered(DEFAULT_DESTINATION);
    ExpectHyphenatorRegistered(DEFAULT_DESTINATION);
    ExpectLanguageNames();
    EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, WORD_KEY, "Language ID", 2074);
    EXPECT_REG_SZ(HKEY_CURRENT_USER, EXCEL_USER_KEY, "Speller", "1060\\Normal");
    EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, SAVED_KEY, "OldLangWord", 1033);
    EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, SAVED_KEY, "OldLangExcel", 1060);
    EXPECT_EQ(5, CountRegValues(HKEY_LOCAL_MACHINE, SAVED_KEY));
}

TEST_F(Install, OneInstallationEndToEndInSerbian)
{
    Choices choices;
    choices.serbian = true;
    choices.wordLanguage = 4;
    InstallInto("", choices);
    ExpectFiles(DEFAULT_DESTINATION, true, true);
    ExpectSpellerRegistered(DEFAULT_DESTINATION);
    ExpectHyphenatorRegistered(DEFAULT_DESTINATION);
    ExpectLanguageNames();
    EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, WORD_KEY, "Language ID", 2074);
    EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, SAVED_KEY, "OldLangWord", 1033);
}

TEST_F(Install, SpellerOnlyCopiesAndRegistersItsTwoFiles)
{
    std::string folder = destinations_.File("Speller");
    Choices choices;
    choices.hyphenator = false;
    InstallInto(folder, choices);
    ExpectFiles(folder, true, false);
    ExpectSpellerRegistered(folder);
    EXPECT_REG_KEY(HKEY_LOCAL_MACHINE,
                   "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Hyphenation", false);
    ExpectLanguageNames();
}

TEST_F(Install, HyphenatorAloneWritesNoLanguagesWithoutARegisteredSpeller)
{
    std::string folder = destinations_.File("Hyphenator");
    Choices choices;
    choices.speller = false;
    choices.wordLanguage = 4;
    InstallInto(folder, choices);
    ExpectFiles(folder, false, true);
    ExpectHyphenatorRegistered(folder);
    EXPECT_REG_KEY(HKEY_LOCAL_MACHINE,
                   "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Spelling", false);
    EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, WORD_KEY, "Language ID", 1033);
    EXPECT_REG_KEY(HKEY_LOCAL_MACHINE, SAVED_KEY, false);
}

TEST_F(Install, HyphenatorAloneWritesTheLanguagesWhenASpellerWasRegisteredBefore)
{
    SetRegString(HKEY_LOCAL_MACHINE, SPELLING_1050_KEY, "Engine", "C:\\Old\\MSPCR32.DLL");
    std::string folder = destinations_.File("Hyphenator");
    Choices choices;
    choices.speller = false;
    choices.wordLanguage = 4;
    InstallInto(folder, choices);
    ExpectHyphenatorRegistered(folder);
    EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, WORD_KEY, "Language ID", 2074);
    EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, SAVED_KEY, "OldLangWord", 1033);
}

TEST_F(Install, NeitherComponentStillWritesTheLanguageNames)
{
    std::string folder = destinations_.File("Nothing");
    Choices choices;
    choices.speller = choices.hyphenator = false;
    InstallInto(folder, choices);
    ExpectFiles(folder, false, false);
    EXPECT_REG_KEY(HKEY_LOCAL_MACHINE,
                   "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Spelling", false);
    EXPECT_REG_KEY(HKEY_LOCAL_MACHINE,
                   "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Hyphenation", false);
    ExpectLanguageNames();
    EXPECT_REG_KEY(HKEY_LOCAL_MACHINE, SAVED_KEY, false);
}

// Installed into another folder, the earlier folder's files are named, stay
// known, and go with the next removal.
TEST_F(Install, ADestinationGetsExactlyOneFinalBackslashAndAnEarlierOneStaysKnown)
{
    std::string plain = destinations_.File("Plain");
    std::string slashed = destinations_.File("Slashed");
    CreateDirectoryA(plain.c_str(), NULL);
    Choices choices;
    choices.hyphenator = false;
    InstallInto(plain, choices);
    ExpectSpellerRegistered(plain);
    InstallInto(slashed + "\\", choices,
                L"\n\nFiles Office does not use; Remove deletes them:\n" +
                    Wide(plain + "\\MSPCR32.DLL\n" + plain + "\\MSSP_CR.LEX"));
    ExpectSpellerRegistered(slashed);
    ExpectFiles(slashed, true, false);
    ExpectFiles(plain, true, false);
    SetupProcess setup(distribution_);
    WalkToRemove(setup, false);
    Click(setup.WaitFor(L"Remove", IDYES), IDYES);
    Click(setup.WaitFor(L"Remove", IDYES), IDYES);
    setup.Answer(L"Removed Files", L"All previously installed files were successfully removed!",
                 IDOK);
    EXPECT_EQ(0, setup.WaitForExit());
    EXPECT_EQ(0, CountFiles(plain + "\\*") + CountFiles(slashed + "\\*"));
}

TEST_F(Install, AMissingDestinationIsCreatedOnlyWhenItsParentExists)
{
    std::string orphan = destinations_.File("No\\Such");
    std::string created = destinations_.File("Created");
    SetupProcess setup(distribution_);
    AcceptDestination(WalkToDestination(setup, Choices()), orphan);
    setup.Answer(L"Setup", Unusable(orphan), IDOK);
    HWND again = setup.WaitFor(L"File Destination");
    ASSERT_TRUE(again);
    EXPECT_EQ(Wide(orphan), Text(again, IDC_DEST_DIR)) << "the page shows what was typed";
    AcceptDestination(again, created);
    setup.Answer(L"Setup", COMPLETED, IDOK);
    EXPECT_EQ(0, setup.WaitForExit());
    EXPECT_FALSE(FileExists(destinations_.File("No")));
    ExpectFiles(created, true, true);
}

TEST_F(Install, AnEmptyOrBlankDestinationAFileAMissingDriveAFullDiskOrALongPathIsRefused)
{
    std::string file = destinations_.File("file.txt");
    WriteFileBytes(file, "not a folder");
    SetupProcess setup(distribution_);
    HWND page = WalkToDestination(setup, Choices());
    Type(page, IDC_DEST_DIR, "");
    Click(page, IDOK);
    setup.Answer(L"Setup", Unusable(""), IDOK);
    AcceptDestination(setup.WaitFor(L"File Destination"), file);
    setup.Answer(L"Setup", Unusable(file), IDOK);
    AcceptDestination(setup.WaitFor(L"File Destination"), "Q:\\Proof");
    setup.Answer(L"Setup", Unusable("Q:\\Proof"), IDOK);
    AcceptDestination(setup.WaitFor(L"File Destination"), "   ");
    setup.Answer(L"Setup", Unusable("   "), IDOK);
    // Windows reaches no file of a 12-character name in a folder of more than
    // 247 characters with its backslash; the longest one it reaches is taken.
    auto typedOf = [this](size_t length, char name) {
        return destinations_.File(std::string(length - destinations_.Path().size() - 1, name));
    };
    for (size_t length : {247, 256}) {
        std::string folder = typedOf(length, 'l');
        AcceptDestination(setup.WaitFor(L"File Destination"), folder);
        setup.Answer(L"Setup", Unwritable(folder + "\\", L"Its path is too long."), IDOK);
        EXPECT_FALSE(FileExists(folder)) << "a folder left behind";
    }
    // No install could succeed where no file can be made.
    if (IsDrivePresent("R:\\")) {
        AcceptDestination(setup.WaitFor(L"File Destination"), "R:\\Proof");
        setup.Answer(L"Setup", Unwritable("R:\\Proof\\"), IDOK);
        for (const char* folder : {"H:\\Other", "H:\\New", "R:\\New"}) {
            AcceptDestination(setup.WaitFor(L"File Destination"), folder);
            setup.Answer(L"Setup", Unwritable(folder + std::string("\\")), IDOK);
        }
    }
    AcceptDestination(setup.WaitFor(L"File Destination"), typedOf(246, 'g'));
    setup.Answer(L"Setup", COMPLETED, IDOK);
    EXPECT_EQ(0, setup.WaitForExit());
}

struct TypedFolder {
    std::string typed, resolved;
};

// Copies onto themselves would be registered, and a later removal would
// delete the distribution.  Nothing is copied or written on the way.
void ExpectEveryNameRefused(const Distribution& distribution,
                            const std::vector<TypedFolder>& entries)
{
    std::string registry = DumpProgramRegistry();
    std::string payload = distribution.PayloadContents();
    int files = CountFiles(distribution.File("*"));
    SetupProcess setup(distribution);
    HWND page = WalkToDestination(setup, Choices());
    for (const auto& entry : entries) {
        AcceptDestination(page, entry.typed);
        setup.Answer(L"Setup", StartedFrom(entry.resolved), IDOK);
        page = setup.WaitFor(L"File Destination");
        ASSERT_TRUE(page) << entry.typed;
    }
    Click(page, IDCANCEL);
    setup.Answer(L"Exit",
                 L"Are you sure you want to exit this Setup? Setup hasn't completed the "
                 L"installation of MS Proofing Tools!",
                 IDYES);
    if (HWND notice = setup.WaitFor(L"Setup", IDOK))
        Click(notice, IDOK);
    EXPECT_EQ(0, setup.WaitForExit());
    EXPECT_EQ(registry, DumpProgramRegistry());
    EXPECT_EQ(payload, distribution.PayloadContents());
    EXPECT_EQ(files, CountFiles(distribution.File("*"))) << "a file left behind";
}

// Other names of the folder: found by the running program's identity, which
// needs nothing written, so on a full or read-only disk too.
std::vector<TypedFolder> OtherNames(const FolderAliases& aliases, const std::string& folder)
{
    return {
        {aliases.Drive + "\\", aliases.Drive + "\\"},
        {aliases.Drive, aliases.Drive + "\\"},
        {aliases.Link, aliases.Link + "\\"},
        {aliases.ShortName, aliases.ShortName + "\\"},
        {"\\\\?\\" + folder, "\\\\?\\" + folder + "\\"},
        {"\\\\.\\" + folder, "\\\\.\\" + folder + "\\"},
    };
}

TEST_F(Install, TheFolderSetupStartedFromIsRefusedByAnyName)
{
    std::string folder = distribution_.Folder();
    std::string shouted = folder;
    for (char& c : shouted)
        c = (char)toupper((unsigned char)c);
    {
        FolderAliases aliases(folder);
        std::vector<TypedFolder> entries = {
            {".", folder + "\\"},
            {shouted + "\\", shouted + "\\"},
            {folder + "\\proof\\..", folder + "\\"},
            {folder + "   ", folder + "\\"},
        };
        for (const TypedFolder& other : OtherNames(aliases, folder))
            entries.push_back(other);
        ExpectEveryNameRefused(distribution_, entries);
        EXPECT_FALSE(FileExists(distribution_.File("proof")));
    }
    // Where no file can be made in the distribution's folder, only its
    // identity tells another name of it.
    for (const char* onDrive : {DISTRIBUTION_ON_FULL_DRIVE, DISTRIBUTION_ON_READ_ONLY_DRIVE}) {
        if (!IsDrivePresent(onDrive))
            GTEST_SKIP() << "no test drive could be mounted: the names on a full or read-only "
                            "disk were not tried";
        FolderAliases aliases(onDrive);
        ExpectEveryNameRefused(Distribution(onDrive), OtherNames(aliases, onDrive));
    }
}

TEST_F(Install, RefusalsAreSerbianAfterSerbianIsChosen)
{
    std::string orphan = destinations_.File("No\\Such");
    Choices choices;
    choices.serbian = true;
    SetupProcess setup(distribution_);
    AcceptDestination(WalkToDestination(setup, choices), distribution_.Folder());
    setup.Answer(L"Instalacija",
                 L"Instalacioni program ne može da instalira u fasciklu iz koje je pokrenut:\n" +
                     Wide(distribution_.Folder()) + L"\\\n\nIzaberite drugu fasciklu.",
                 IDOK);
    AcceptDestination(setup.WaitFor(L"Odredište za datoteke"), orphan);
    setup.Answer(L"Instalacija",
                 L"Instalacioni program ne može da instalira u ovu fasciklu:\n" + Wide(orphan) +
                     L"\n\nIzaberite postojeću fasciklu ili novu fasciklu unutar postojeće.",
                 IDOK);
    std::string tooLong = "C:\\" + std::string(253, 'd');
    AcceptDestination(setup.WaitFor(L"Odredište za datoteke"), tooLong);
    setup.Answer(L"Instalacija",
                 L"Instalacioni program ne može da napravi datoteke u ovoj fascikli:\n" +
                     Wide(tooLong) + L"\\\n\nPutanja je predugačka. Izaberite drugu fasciklu.",
                 IDOK);
    if (IsDrivePresent("R:\\")) {
        AcceptDestination(setup.WaitFor(L"Odredište za datoteke"), "R:\\Proof");
        setup.Answer(L"Instalacija",
                     L"Instalacioni program ne može da napravi datoteke u ovoj fascikli:\n"
                     L"R:\\Proof\\\n\nDisk je možda pun ili zaštićen od upisa. Izaberite "
                     L"drugu fasciklu.",
                     IDOK);
    }
    // The name of the file that tests the folder taken by a user's file.
    std::string blocked = destinations_.File("Smeta");
    CreateDirectoryA(blocked.c_str(), NULL);
    WriteFileBytes(blocked + "\\MSPCR32.VLN", "the user's");
    AcceptDestination(setup.WaitFor(L"Odredište za datoteke"), blocked);
    setup.Answer(L"Instalacija",
                 L"Instalacioni program ne može da napravi datoteke u ovoj fascikli:\n" +
                     Wide(blocked) + L"\\\n\n" + Wide(blocked) +
                     L"\\MSPCR32.VLN smeta. Izaberite drugu fasciklu.",
                 IDOK);
    EXPECT_EQ("the user's", ReadFileBytes(blocked + "\\MSPCR32.VLN"));
    AcceptDestination(setup.WaitFor(L"Odredište za datoteke"), destinations_.File("Dobro"));
    setup.Answer(L"Instalacija", COMPLETED_SR, IDOK);
    EXPECT_EQ(0, setup.WaitForExit());
    ExpectFiles(destinations_.File("Dobro"), true, true);
}

TEST_F(Install, ExitAnsweredNoShowsTheDestinationAsItWas)
{
    SetupProcess setup(distribution_);
    HWND page = WalkToDestination(setup, Choices());
    ASSERT_TRUE(page);
    Type(page, IDC_DEST_DIR, "D:\\Edited");
    Click(page, IDCANCEL);
    setup.Answer(L"Exit",
                 L"Are you sure you want to exit this Setup? Setup hasn't completed the "
                 L"installation of MS Proofing Tools!",
                 IDNO);
    HWND again = setup.WaitFor(L"File Destination");
    ASSERT_TRUE(again);
    EXPECT_EQ(Wide(DEFAULT_DESTINATION), Text(again, IDC_DEST_DIR));
    AcceptDestination(again, "");
    setup.Answer(L"Setup", COMPLETED, IDOK);
    EXPECT_EQ(0, setup.WaitForExit());
}

TEST_F(Install, ExistingFilesAreOverwrittenAndASecondInstallationKeepsTheFirstOriginals)
{
    std::string folder = destinations_.File("Twice");
    CreateDirectoryA(folder.c_str(), NULL);
    WriteFileBytes(folder + "\\MSPCR32.DLL", "old engine");
    Choices first;
    first.wordLanguage = 4;
    InstallInto(folder, first);
    ExpectFiles(folder, true, true);
    Choices second;
    second.wordLanguage = 1;
    InstallInto(folder, second);
    EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, WORD_KEY, "Language ID", 2057);
    EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, SAVED_KEY, "OldLangWord", 1033);
}

TEST_F(Install, AMissingPayloadFileIsReportedAndItsComponentNotRegistered)
{
    DeleteFileA(distribution_.File("MSHY_CR.LEX").c_str());
    std::string folder = destinations_.File("Partial");
    SetupProcess setup(distribution_);
    AcceptDestination(WalkToDestination(setup, Choices()), folder);
    setup.Answer(L"Setup", InstallWarning(folder, {"MSHY_CR.LEX"}), IDOK);
    EXPECT_EQ(0, setup.WaitForExit());
    ExpectSpellerRegistered(folder);
    EXPECT_REG_KEY(HKEY_LOCAL_MACHINE,
                   "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Hyphenation", false);
    ExpectFiles(folder, true, false);
}

// A component is replaced whole or not at all: the engine that was there stays.
TEST_F(Install, AnUnregisteredComponentKeepsOnlyTheFilesThatWereThereBefore)
{
    DeleteFileA(distribution_.File("MSHY_CR.LEX").c_str());
    std::string folder = destinations_.File("Partial");
    CreateDirectoryA(folder.c_str(), NULL);
    WriteFileBytes(folder + "\\MSHYCR32.DLL", "an older engine");
    SetupProcess setup(distribution_);
    AcceptDestination(WalkToDestination(setup, Choices()), folder);
    setup.Answer(L"Setup", InstallWarning(folder, {"MSHY_CR.LEX"}), IDOK);
    EXPECT_EQ(0, setup.WaitForExit());
    EXPECT_EQ("an older engine", ReadFileBytes(folder + "\\MSHYCR32.DLL"));
    EXPECT_FALSE(FileExists(folder + "\\MSHY_CR.LEX"));
    ExpectSpellerRegistered(folder);
}

TEST_F(Install, AMissingPayloadFileIsReportedInSerbian)
{
    DeleteFileA(distribution_.File("MSSP_CR.LEX").c_str());
    std::string folder = destinations_.File("Partial");
    Choices choices;
    choices.serbian = true;
    SetupProcess setup(distribution_);
    AcceptDestination(WalkToDestination(setup, choices), folder);
    setup.Answer(L"Instalacija",
                 L"Instalacija alatki za proveru teksta na srpskom jeziku nije uspešno "
                 L"završena.\n\nNije moguće kopirati: " +
                     Wide(folder) + L"\\MSSP_CR.LEX\nOstalo kako je bilo: " + Wide(folder) +
                     L"\\MSPCR32.DLL\nOstalo kako je bilo: " + Wide(folder) +
                     L"\\MSSP_CR.LEX\n\nOtklonite problem i ponovo pokrenite instalaciju.",
                 IDOK);
    EXPECT_EQ(0, setup.WaitForExit());
    EXPECT_REG_KEY(HKEY_LOCAL_MACHINE,
                   "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Spelling", false);
    ExpectHyphenatorRegistered(folder);
    ExpectFiles(folder, false, true);
}

// Not Setup's copy, so not registered: the whole component stays as it was,
// the earlier engine too, and the report says so.
TEST_F(Install, ADestinationFileHeldOpenIsReportedAndItsComponentNotRegistered)
{
    std::string folder = destinations_.File("Held");
    CreateDirectoryA(folder.c_str(), NULL);
    WriteFileBytes(folder + "\\MSPCR32.DLL", "an earlier engine");
    std::string held = folder + "\\MSSP_CR.LEX";
    WriteFileBytes(held, "in use");
    HANDLE file = CreateFileA(held.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    SetupProcess setup(distribution_);
    AcceptDestination(WalkToDestination(setup, Choices()), folder);
    setup.Answer(L"Setup", InstallWarning(folder, {"MSPCR32.DLL", "MSSP_CR.LEX"}), IDOK);
    EXPECT_EQ(0, setup.WaitForExit());
    CloseHandle(file);
    EXPECT_EQ("an earlier engine", ReadFileBytes(folder + "\\MSPCR32.DLL"));
    EXPECT_REG_KEY(HKEY_LOCAL_MACHINE, SPELLING_4122_KEY, false);
    ExpectHyphenatorRegistered(folder);
    EXPECT_EQ("in use", ReadFileBytes(held));
    EXPECT_EQ(4, CountFiles(folder + "\\*")) << "no temporary file is left";
}

TEST_F(Install, ARelativeDestinationIsRegisteredByItsFullPath)
{
    SetupProcess setup(distribution_);
    AcceptDestination(WalkToDestination(setup, Choices()), "proof");
    setup.Answer(L"Setup", COMPLETED, IDOK);
    EXPECT_EQ(0, setup.WaitForExit());
    ExpectSpellerRegistered(distribution_.File("proof"));
    ExpectFiles(distribution_.File("proof"), true, true);
}

TEST_F(Install, ADestinationTooLongForItsFilePathsBringsThePageBack)
{
    SetupProcess setup(distribution_);
    std::string typed = "C:\\" + std::string(597, 'd');
    AcceptDestination(WalkToDestination(setup, Choices()), typed);
    setup.Answer(L"Setup", Unwritable(typed.substr(0, 511), L"Its path is too long."), IDOK);
    HWND again = setup.WaitFor(L"File Destination");
    ASSERT_TRUE(again);
    EXPECT_EQ(511u, Text(again, IDC_DEST_DIR).size())
        << "the text as stored, cut to 511 characters";
    AcceptDestination(again, destinations_.File("Short"));
    setup.Answer(L"Setup", COMPLETED, IDOK);
    EXPECT_EQ(0, setup.WaitForExit());
    ExpectSpellerRegistered(destinations_.File("Short"));
}

}  // namespace
