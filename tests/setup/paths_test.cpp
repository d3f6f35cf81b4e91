#include "setup/setup.h"
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

}  // namespace
