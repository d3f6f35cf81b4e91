#include "setup/setup.h"
#include "support/stand_in.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(Paths, AppendFillsTheBufferExactlyAndRefusesOneMore)
{
    char buffer[8];
    memset(buffer, 'Z', sizeof buffer);
    strcpy(buffer, "abc");
    EXPECT_EQ(0, AppendText(buffer, 8, "defg"));
    EXPECT_STREQ("abcdefg", buffer);
    EXPECT_EQ(-1, AppendText(buffer, 8, "h"));
    EXPECT_STREQ("abcdefg", buffer);
}

TEST(Paths, CopyRefusesATextThatDoesNotFitAndLeavesTheBuffer)
{
    char buffer[4] = "old";
    EXPECT_EQ(-1, CopyText(buffer, 4, "long"));
    EXPECT_STREQ("old", buffer);
    EXPECT_EQ(0, CopyText(buffer, 4, "new"));
    EXPECT_STREQ("new", buffer);
}

// Sees what the file system sees as one folder; a longer name that starts
// with the other is another folder.
TEST(Paths, SameFolderIgnoresLetterCaseAndTheFinalBackslash)
{
    EXPECT_TRUE(IsSameFolder("C:\\Velmora\\", "C:\\Velmora\\"));
    EXPECT_TRUE(IsSameFolder("c:\\velmora\\", "C:\\VELMORA"));
    EXPECT_TRUE(IsSameFolder("C:\\Čćđšž\\", "c:\\čĆĐŠŽ\\")) << "code page 1250 letters";
    EXPECT_TRUE(IsSameFolder("D:\\", "d:")) << "a drive's root";
    EXPECT_FALSE(IsSameFolder("C:\\Velmora2\\", "C:\\Velmora\\"));
    EXPECT_FALSE(IsSameFolder("C:\\Velmora\\Proof\\", "C:\\Velmora\\"));
    EXPECT_FALSE(IsSameFolder("C:\\", "D:\\"));
    EXPECT_FALSE(IsSameFolder("C:\\", "C:\\Velmora\\")) << "an ancestor";
    EXPECT_FALSE(IsSameFolder("C:\\Velmora\\", "C:\\"));
    EXPECT_FALSE(IsSameFolder("C:\\Proof1\\", "C:\\Proof2\\")) << "the last character";
}

TEST(Paths, ResolvedFolderIsFullAndEndsInOneBackslash)
{
    TempFolder folder;
    char previous[MAX_PATH];
    GetCurrentDirectoryA(sizeof previous, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.Path().c_str()));
    const struct {
        const char* entry;
        std::string folder;
    } cases[] = {
        {"C:", "C:\\"},  // the drive's root, not its current folder
        {"c:", "c:\\"},
        {"proof", folder.File("proof\\")},
        {".", folder.Path() + "\\"},
        {"C:\\Proof", "C:\\Proof\\"},
        {"C:\\Proof\\", "C:\\Proof\\"},
        {"C:/Proof/", "C:\\Proof\\"},
        {"C:\\Proof\\\\", "C:\\Proof\\"},
        {"C:\\Velmora\\..\\Proof", "C:\\Proof\\"},
        // Blanks and a dot ending the last name go, as Windows drops them:
        // no folder named "Proof " is made.
        {"C:\\Proof ", "C:\\Proof\\"},
        {"C:\\Proof.", "C:\\Proof\\"},
        {"C:  ", "C:\\"},
        {"..", folder.Path().substr(0, folder.Path().rfind('\\') + 1)},
    };
    for (const auto& test : cases) {
        char full[PATH_BUFFER_SIZE];
        EXPECT_EQ(0, ResolveFolder(full, test.entry)) << test.entry;
        EXPECT_TRUE(IsSameFolder(test.folder.c_str(), full)) << test.entry << " gave " << full;
        EXPECT_EQ('\\', full[strlen(full) - 1]) << test.entry;
        EXPECT_NE('\\', full[strlen(full) - 2]) << test.entry;
    }
    SetCurrentDirectoryA(previous);
}

TEST(Paths, AnEmptyEntryOrOneTooLongResolvesToNothing)
{
    char full[PATH_BUFFER_SIZE];
    memset(full, 'Z', sizeof full);
    EXPECT_EQ(-1, ResolveFolder(full, ""));
    EXPECT_EQ(-1, ResolveFolder(full, "   "));
    std::string filled = "C:\\" + std::string(PATH_BUFFER_SIZE - 4, 'd');
    EXPECT_EQ(-1, ResolveFolder(full, filled.c_str())) << "no room for the backslash";
}

TEST(Files, OneFileHasTheSameVolumeAndBothHalvesOfTheSameIndex)
{
    const BY_HANDLE_FILE_INFORMATION file = {0, {}, {}, {}, 0x1234ABCD, 0, 0, 1, 7, 42};
    EXPECT_TRUE(IsSameIdentity(file, file));
    BY_HANDLE_FILE_INFORMATION other = file;
    other.dwVolumeSerialNumber++;  // the same index on another share
    EXPECT_FALSE(IsSameIdentity(file, other));
    other = file;
    other.nFileIndexHigh++;  // FAT and NTFS indexes past 32 bits
    EXPECT_FALSE(IsSameIdentity(file, other));
    other = file;
    other.nFileIndexLow++;
    EXPECT_FALSE(IsSameIdentity(file, other));
}

// Around the size of the chunks they are compared in.
TEST(Files, OnlyEveryByteAndTheLengthMakeTheSameBytes)
{
    TempFolder folder;
    std::string first = folder.File("first"), second = folder.File("second");
    for (size_t length : {0, 1, 511, 512, 513, 1024, 1025}) {
        std::string bytes(length, 'p');
        WriteFileBytes(first, bytes);
        WriteFileBytes(second, bytes);
        EXPECT_TRUE(HaveSameBytes(first.c_str(), second.c_str())) << length;
        WriteFileBytes(second, bytes + "p");
        EXPECT_FALSE(HaveSameBytes(first.c_str(), second.c_str())) << length << " and one more";
        EXPECT_FALSE(HaveSameBytes(second.c_str(), first.c_str())) << length << " and one less";
        if (length == 0)
            continue;
        for (size_t at : {(size_t)0, length - 1}) {
            std::string changed = bytes;
            changed[at] = 'q';
            WriteFileBytes(second, changed);
            EXPECT_FALSE(HaveSameBytes(first.c_str(), second.c_str())) << length << " at " << at;
        }
    }
    EXPECT_FALSE(HaveSameBytes(first.c_str(), folder.File("none").c_str()));
    // Another program reading a file, and sharing it only for reading.
    WriteFileBytes(first, "same");
    WriteFileBytes(second, "same");
    HANDLE reader =
        CreateFileA(first.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    EXPECT_TRUE(HaveSameBytes(first.c_str(), second.c_str()));
    CloseHandle(reader);
    // Neither is held open afterwards against its deletion.
    EXPECT_TRUE(DeleteFileA(first.c_str()) && DeleteFileA(second.c_str()));
}

class Identity : public ::testing::Test {
protected:
    void SetUp() override
    {
        unopenable.clear();
        strcpy(SetupState.SourceDir, (source_.Path() + "\\").c_str());
        for (const char* name : {"MSPCR32.DLL", "MSSP_CR.LEX", "MSHYCR32.DLL"})
            WriteFileBytes(source_.File(name), name);
    }
    TempFolder source_, other_;
};

// What cannot be told may be the distribution: it is never taken for
// another file.
TEST_F(Identity, AFileIsToldWithReadAccessWhereNoAccessIsRefusedAndOtherwiseNotAtAll)
{
    std::string shipped = source_.File("MSPCR32.DLL"), link = other_.File("link"),
                copy = other_.File("MSPCR32.DLL");
    ASSERT_TRUE(CreateHardLinkA(link.c_str(), shipped.c_str(), NULL));
    WriteFileBytes(copy, "MSPCR32.DLL");
    StandIn<decltype(&CreateFileA)> windows95(importedCreateFile, OpenAsWindows95);
    EXPECT_EQ(FILES_SAME, CompareFiles(shipped.c_str(), link.c_str()));
    EXPECT_EQ(FILES_DIFFERENT, CompareFiles(shipped.c_str(), copy.c_str()));
    unopenable = copy;
    EXPECT_EQ(FILES_UNKNOWN, CompareFiles(shipped.c_str(), copy.c_str()));
    EXPECT_EQ(FILES_UNKNOWN, CompareFiles(copy.c_str(), shipped.c_str()));
}

// Another name for the distribution's folder shows in its payload files:
// one that is the distribution's own, or one that cannot be told, which is
// named.
TEST_F(Identity, AFolderHoldingAPayloadFileThatIsOrMayBeTheDistributionsIsTheSource)
{
    std::string folder = other_.Path() + "\\", engine = other_.File("MSPCR32.DLL");
    char untold[PATH_BUFFER_SIZE];
    auto compare = [&](const std::string& path) { return CompareWithSource(path.c_str(), untold); };
    EXPECT_EQ(FILES_DIFFERENT, compare(folder)) << "no payload file there";
    EXPECT_EQ(FILES_DIFFERENT, compare(other_.File("new\\"))) << "a folder not there";
    CreateDirectoryA(engine.c_str(), NULL);
    EXPECT_EQ(FILES_DIFFERENT, compare(folder)) << "a folder of that name";
    RemoveDirectoryA(engine.c_str());
    WriteFileBytes(engine, "MSPCR32.DLL");
    EXPECT_EQ(FILES_DIFFERENT, compare(folder)) << "a copy";
    StandIn<decltype(&CreateFileA)> windows95(importedCreateFile, OpenAsWindows95);
    unopenable = engine;
    EXPECT_EQ(FILES_UNKNOWN, compare(folder)) << "a file that cannot be told";
    EXPECT_EQ(engine, untold);
    unopenable.clear();
    DeleteFileA(engine.c_str());
    ASSERT_TRUE(CreateHardLinkA(engine.c_str(), source_.File("MSPCR32.DLL").c_str(), NULL));
    EXPECT_EQ(FILES_SAME, compare(folder)) << "the distribution's own";
}

// Removal deletes only a file it told apart from the distribution's.
TEST_F(Identity, ARegisteredFileIsOwnOnlyWhenToldApartFromTheDistributionsFile)
{
    std::string copy = other_.File("MSPCR32.DLL"), link = other_.File("MSSP_CR.LEX"),
                unshipped = other_.File("MSHY_CR.LEX"), unknown = other_.File("MSHYCR32.DLL");
    for (const std::string& file : {copy, unshipped, unknown})
        WriteFileBytes(file, "copy");
    ASSERT_TRUE(CreateHardLinkA(link.c_str(), source_.File("MSSP_CR.LEX").c_str(), NULL));
    StandIn<decltype(&CreateFileA)> windows95(importedCreateFile, OpenAsWindows95);
    unopenable = unknown;
    const struct {
        std::string path;
        const char* name;
        int state;
    } cases[] = {
        {copy, "MSPCR32.DLL", REGISTERED_OWN},
        {link, "MSSP_CR.LEX", REGISTERED_SHIPPED},
        {source_.File("MSSP_CR.LEX"), "MSSP_CR.LEX", REGISTERED_SHIPPED},
        {unknown, "MSHYCR32.DLL", REGISTERED_UNKNOWN},
        {unshipped, "MSHY_CR.LEX", REGISTERED_OWN},  // the distribution has none to lose
        {other_.File("gone\\MSHY_CR.LEX"), "MSHY_CR.LEX", REGISTERED_NO_FILE},
        {"V:\\gone\\MSHY_CR.LEX", "MSHY_CR.LEX", REGISTERED_UNREACHABLE},  // no drive V:
        // Only "not found" says a file is gone, not a name Windows refuses.
        {other_.File("a?b\\MSHY_CR.LEX"), "MSHY_CR.LEX", REGISTERED_UNREACHABLE},
        {other_.File("MSPCR32.DLL.gone"), "MSPCR32.DLL", REGISTERED_NO_FILE},
        {other_.Path(), "MSPCR32.DLL", REGISTERED_NO_FILE},  // a folder is no file of Setup's
    };
    for (const auto& test : cases)
        EXPECT_EQ(test.state, RegisteredFileState(test.path.c_str(), test.name)) << test.path;
}

}  // namespace
