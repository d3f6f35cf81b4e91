#include "setup/setup.h"
#include "support/office_keys.h"
#include "support/registry_sandbox.h"

#include <string>

namespace {

TEST(OtherLanguage, OnlyFourDigitNamesBesidesSetupsOwnCount)
{
    for (const char* name : {"1033", "3081", "0000", "9999"})
        EXPECT_TRUE(IsOtherLanguageName(name)) << name;
    for (const char* name : {"4122", "1050", "Normal", "103", "10a3", "12345", "", " 103", "103 "})
        EXPECT_FALSE(IsOtherLanguageName(name)) << name;
}

class Scan : public RegistrySandbox {
protected:
    void AddLanguage(const std::string& name)
    {
        CreateRegKey(HKEY_LOCAL_MACHINE,
                     (std::string(SPELLING_KEY) + "\\" + name + "\\Normal").c_str());
    }
};

TEST_F(Scan, FindsAnotherLanguageBesideSetupsOwn)
{
    AddLanguage("4122");
    AddLanguage("1050");
    EXPECT_EQ(0, OtherProofingToolsPresent());
    AddLanguage("1033");
    EXPECT_EQ(1, OtherProofingToolsPresent());
}

TEST_F(Scan, FindsNothingWithoutSubkeysOrWithoutTheKey)
{
    EXPECT_EQ(0, OtherProofingToolsPresent());
    CreateRegKey(HKEY_LOCAL_MACHINE, SPELLING_KEY);
    EXPECT_EQ(0, OtherProofingToolsPresent());
}

// Subkeys come back in name order: a long name before "3081" ends the scan.
TEST_F(Scan, ANameTooLongForItsBufferEndsTheScan)
{
    AddLanguage("0" + std::string(99, 'x'));
    AddLanguage("3081");
    EXPECT_EQ(0, OtherProofingToolsPresent()) << "100 characters need 101 bytes";
    AddLanguage("0000");
    EXPECT_EQ(1, OtherProofingToolsPresent()) << "a qualifying name came first";
}

TEST_F(Scan, ANameOf99CharactersStillFits)
{
    AddLanguage("0" + std::string(98, 'x'));
    AddLanguage("3081");
    EXPECT_EQ(1, OtherProofingToolsPresent());
}

}  // namespace
