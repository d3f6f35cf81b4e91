// Every registry value Setup reads, as a broken or hostile machine may hold
// it: of the wrong type, empty, of 511, 512 and 513 bytes, unterminated.  The
// buffers they are read into are 512 bytes (256 for the text form of a
// language), and these tests run with a stack guard: an overrun aborts them.
#include "registry/registry.h"
#include "setup/setup.h"
#include "support/dirty_stack.h"
#include "support/office_keys.h"
#include "support/registry_sandbox.h"

#include <cstring>
#include <string>

namespace {

enum Shape { WRONG_TYPE, EMPTY, BYTES_511, BYTES_512, BYTES_513, UNTERMINATED };
const Shape SHAPES[] = {WRONG_TYPE, EMPTY, BYTES_511, BYTES_512, BYTES_513, UNTERMINATED};
const char* const SHAPE_NAMES[] = {"wrong type", "empty",     "511 bytes",
                                   "512 bytes",  "513 bytes", "unterminated"};

// Stores the value in the given shape.  Texts are digits, so that a reader
// that took one as a language would show it.
void Store(HKEY root, const char* key, const char* value, Shape shape, bool textValue)
{
    const DWORD number = 0x41424344;
    const char unterminated[] = "1033X";
    std::string text;
    switch (shape) {
    case WRONG_TYPE:
        if (textValue)
            SetRegBytes(root, key, value, REG_DWORD, &number, sizeof number);
        else
            SetRegString(root, key, value, "2057\\Normal");
        return;
    case EMPTY:
        SetRegBytes(root, key, value, textValue ? REG_SZ : REG_DWORD, "", 0);
        return;
    case BYTES_511:
    case BYTES_512:
    case BYTES_513:
        text.assign(shape == BYTES_511 ? 510 : shape == BYTES_512 ? 511 : 512, '7');
        SetRegBytes(root, key, value, REG_SZ, text.c_str(), (DWORD)text.size() + 1);
        return;
    case UNTERMINATED:
        // The byte after the four digits is not zero, so none is stored.
        SetRegBytes(root, key, value, REG_SZ, unterminated, 4);
        return;
    }
}

class HostileRegistry : public RegistrySandbox {
protected:
    void SetUp() override
    {
        RegistrySandbox::SetUp();
        memset(&SetupState, 0, sizeof SetupState);
    }
    void TearDown() override
    {
        // Each shape gets a fresh registry.
        RegistrySandbox::TearDown();
    }

    void Fresh()
    {
        RegistrySandbox::TearDown();
        RegistrySandbox::SetUp();
        memset(&SetupState, 0, sizeof SetupState);
    }
};

const char WORD_APP_PATH[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Winword.EXE";

// An application counts as installed when its path can be read at all.
TEST_F(HostileRegistry, AnAppPathCountsWhenItFitsItsBuffer)
{
    for (Shape shape : SHAPES) {
        Fresh();
        Store(HKEY_LOCAL_MACHINE, WORD_APP_PATH, "Path", shape, true);
        ProbeEnvironment();
        EXPECT_EQ(shape == BYTES_513 ? 0 : 1, SetupState.WordInstalled) << SHAPE_NAMES[shape];
    }
}

// No shape names Setup's own engine; a path that does counts while it fits.
TEST_F(HostileRegistry, AnEngineValueCountsOnlyWhenItNamesSetupsEngineAndFits)
{
    for (Shape shape : SHAPES) {
        Fresh();
        Store(HKEY_LOCAL_MACHINE, SPELLING_1050_KEY, "Engine", shape, true);
        ProbeEnvironment();
        EXPECT_EQ(0, SetupState.SpellerRegistered) << SHAPE_NAMES[shape];
    }
    for (int bytes : {511, 512, 513}) {
        Fresh();
        std::string path = "C:\\" + std::string(bytes - 16, 'd') + "\\MSPCR32.DLL";
        SetRegString(HKEY_LOCAL_MACHINE, SPELLING_1050_KEY, "Engine", path);
        ProbeEnvironment();
        EXPECT_EQ(bytes < 513 ? 1 : 0, SetupState.SpellerRegistered) << bytes << " bytes";
    }
}

TEST_F(HostileRegistry, CommonFilesDirNeverOverrunsTheDestination)
{
    const std::string byVersion = "C:\\Program Files\\Common Files\\Microsoft Shared\\Proof";
    const std::string expected[] = {
        "DCBA\\Microsoft Shared\\Proof",  // the four bytes of the number, as text
        "\\Microsoft Shared\\Proof",      // the root of the current drive, as read
        byVersion,
        byVersion,
        byVersion,  // too long to take the proofing folder
        "1033\\Microsoft Shared\\Proof",
    };
    for (Shape shape : SHAPES) {
        Fresh();
        Store(HKEY_LOCAL_MACHINE, CURRENT_VERSION_KEY, "CommonFilesDir", shape, true);
        DirtyStack();
        ProbeEnvironment();
        EXPECT_EQ(expected[shape], SetupState.DestDir) << SHAPE_NAMES[shape];
    }
}

TEST_F(HostileRegistry, ADwordLanguageIsTakenOnlyWhenItFitsFourBytes)
{
    const int expected[] = {1060, 0, 1060, 1060, 1060, 0x33333031};
    for (Shape shape : SHAPES) {
        Fresh();
        Store(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Office\\8.0\\Word", "Language ID", shape,
              false);
        DirtyStack();
        ReadCurrentLanguages();
        EXPECT_EQ(expected[shape], SetupState.WordLang) << SHAPE_NAMES[shape];
    }
}

TEST_F(HostileRegistry, ATextLanguageIsTakenOnlyWhenItHoldsANumber)
{
    const int expected[] = {1060, 1060, 1060, 1060, 1060, 1033};
    for (Shape shape : SHAPES) {
        Fresh();
        Store(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Office\\8.0\\Excel\\Spell Checker",
              "Speller", shape, true);
        DirtyStack();
        ReadCurrentLanguages();
        EXPECT_EQ(expected[shape], SetupState.ExcelLang) << SHAPE_NAMES[shape];
    }
}

// Only four bytes that read as a number are a saved language; the empty
// value reads as 0, which is what it holds.
TEST_F(HostileRegistry, ASavedLanguageIsRestoredOnlyWhenItFitsFourBytes)
{
    const int expected[] = {1033, 0, 1033, 1033, 1033, 0x33333031};
    for (Shape shape : SHAPES) {
        Fresh();
        Store(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quenra\\Nalvoro", "OldLangWord", shape, false);
        DirtyStack();
        int restored = RestoredLanguage("OldLangWord");
        EXPECT_EQ(expected[shape], restored) << SHAPE_NAMES[shape];
    }
}

TEST_F(HostileRegistry, AThousandSpellingLanguagesAreScannedToTheEnd)
{
    const std::string spelling = "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools\\Spelling\\";
    for (int i = 0; i < 1000; i++)
        CreateRegKey(HKEY_LOCAL_MACHINE, (spelling + "L" + std::to_string(1000 + i)).c_str());
    DWORD start = GetTickCount();
    EXPECT_EQ(0, OtherProofingToolsPresent());
    CreateRegKey(HKEY_LOCAL_MACHINE, (spelling + "9999").c_str());
    EXPECT_EQ(1, OtherProofingToolsPresent()) << "found after the thousand others";
    EXPECT_LT(GetTickCount() - start, 5000u);
}

// Setup's own file is the payload file itself, by a full path: any other
// form names a file relative to wherever Setup happens to run.
TEST(RegisteredFiles, OnlyAFullPathToThePayloadFileItselfIsTakenForSetups)
{
    const struct {
        const char* path;
        bool named, own;
    } rows[] = {
        {"C:\\Proof\\MSPCR32.DLL", true, true},
        {"c:\\proof\\mspcr32.dll", true, true},
        {"z:\\MSPCR32.DLL", true, true},
        {"\\\\server\\share\\MSPCR32.DLL", true, true},
        {"C:\\Proof/MSPCR32.DLL", true, true},
        {"MSPCR32.DLL", true, false},
        {"D:MSPCR32.DLL", true, false},
        {"..\\Velmora\\MSPCR32.DLL", true, false},
        {"\\Velmora\\MSPCR32.DLL", true, false},
        {"x\\MSPCR32.DLL", true, false},
        {"1:\\MSPCR32.DLL", true, false},
        {"C:\\Windows\\System\\KERNEL32.DLL", false, false},
        {"C:\\Proof\\MSPCR32.DLL.BAK", false, false},
        {"C:\\Proof\\XMSPCR32.DLL", false, false},
        {"C:\\Proof\\MSPCR32.DLX", false, false},  // the last character
        {"C:\\Proof\\MSPCR32.DL", false, false},
        {"C:\\Proof\\", false, false},
        {"", false, false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.named, NamesFile(row.path, "MSPCR32.DLL")) << row.path;
        EXPECT_EQ(row.own, IsOwnFile(row.path, "MSPCR32.DLL")) << row.path;
    }
    EXPECT_FALSE(IsSameTextIgnoringCase("MSPCR32.DLX", "MSPCR32.DLL"));
    EXPECT_FALSE(IsSameTextIgnoringCase("MSPCR32.DL", "MSPCR32.DLL"));
    EXPECT_FALSE(IsSameTextIgnoringCase("MSPCR32.DLL", "MSPCR32.DL"));
}

}  // namespace
