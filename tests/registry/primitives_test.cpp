#include "registry/registry.h"
#include "support/dirty_stack.h"
#include "support/registry_sandbox.h"

#include <cstring>

namespace {

const char KEY[] = "Software\\Sandbox\\Key";
const char SENTINEL = '\x5A';

class Primitives : public RegistrySandbox {};

TEST_F(Primitives, ReadersAndRemoversTellMissingKeyFromMissingValue)
{
    char buffer[16];
    int number = 0;
    EXPECT_EQ(1, RegReadString(HKEY_LOCAL_MACHINE, KEY, "Value", buffer, sizeof buffer));
    EXPECT_EQ(1, RegReadDword(HKEY_LOCAL_MACHINE, KEY, "Value", &number));
    EXPECT_EQ(1, RegRemoveValue(HKEY_LOCAL_MACHINE, KEY, "Value"));
    EXPECT_EQ(1, RegRemoveSubkey(HKEY_LOCAL_MACHINE, KEY, "Sub"));

    CreateRegKey(HKEY_LOCAL_MACHINE, KEY);
    EXPECT_EQ(2, RegReadString(HKEY_LOCAL_MACHINE, KEY, "Value", buffer, sizeof buffer));
    EXPECT_EQ(2, RegReadDword(HKEY_LOCAL_MACHINE, KEY, "Value", &number));
    EXPECT_EQ(2, RegRemoveValue(HKEY_LOCAL_MACHINE, KEY, "Value"));
    EXPECT_EQ(2, RegRemoveSubkey(HKEY_LOCAL_MACHINE, KEY, "Sub"));
}

TEST_F(Primitives, WritersCreateTheWholePathAndStoreTheTerminator)
{
    EXPECT_EQ(0, RegWriteString(HKEY_CURRENT_USER, KEY, "Text", "Croatian       "));
    EXPECT_EQ(0, RegWriteString(HKEY_CURRENT_USER, KEY, "Empty", ""));
    EXPECT_EQ(0, RegWriteDword(HKEY_LOCAL_MACHINE, KEY, "Number", -2));
    EXPECT_REG_SZ(HKEY_CURRENT_USER, KEY, "Text", "Croatian       ");
    EXPECT_REG_SZ(HKEY_CURRENT_USER, KEY, "Empty", "");
    EXPECT_REG_DWORD(HKEY_LOCAL_MACHINE, KEY, "Number", 0xFFFFFFFE);
}

TEST_F(Primitives, ReadStringFillsAndTerminatesWithoutTouchingTheRest)
{
    SetRegString(HKEY_LOCAL_MACHINE, KEY, "Text", "abc");
    char buffer[8];
    memset(buffer, SENTINEL, sizeof buffer);
    EXPECT_EQ(0, RegReadString(HKEY_LOCAL_MACHINE, KEY, "Text", buffer, 4));
    EXPECT_STREQ("abc", buffer);
    EXPECT_EQ(SENTINEL, buffer[4]);
}

TEST_F(Primitives, ReadStringRefusesATextLongerThanTheBuffer)
{
    SetRegString(HKEY_LOCAL_MACHINE, KEY, "Text", "abcd");
    char buffer[8];
    memset(buffer, SENTINEL, sizeof buffer);
    EXPECT_EQ(2, RegReadString(HKEY_LOCAL_MACHINE, KEY, "Text", buffer, 4));
    EXPECT_EQ(SENTINEL, buffer[4]);
}

TEST_F(Primitives, ReadStringTerminatesAnUnterminatedValueThatFits)
{
    // The next byte in memory is not zero, so the system stores no terminator.
    const char stored[] = "abcX";
    SetRegBytes(HKEY_LOCAL_MACHINE, KEY, "Text", REG_SZ, stored, 3);
    SetRegBytes(HKEY_LOCAL_MACHINE, KEY, "Binary", REG_BINARY, stored, 3);
    char buffer[8];
    memset(buffer, SENTINEL, sizeof buffer);
    EXPECT_EQ(0, RegReadString(HKEY_LOCAL_MACHINE, KEY, "Text", buffer, 5));
    EXPECT_STREQ("abc", buffer);
    memset(buffer, SENTINEL, sizeof buffer);
    EXPECT_EQ(0, RegReadString(HKEY_LOCAL_MACHINE, KEY, "Binary", buffer, 4));
    EXPECT_STREQ("abc", buffer);
    EXPECT_EQ(SENTINEL, buffer[4]);
}

TEST_F(Primitives, ReadStringRefusesAnUnterminatedValueThatFillsTheBuffer)
{
    const char stored[] = "abcX";
    SetRegBytes(HKEY_LOCAL_MACHINE, KEY, "Binary", REG_BINARY, stored, 3);
    char buffer[8];
    memset(buffer, SENTINEL, sizeof buffer);
    EXPECT_EQ(2, RegReadString(HKEY_LOCAL_MACHINE, KEY, "Binary", buffer, 3));
    EXPECT_EQ(SENTINEL, buffer[3]);
}

TEST_F(Primitives, ReadStringOfAnEmptyValueGivesAnEmptyText)
{
    SetRegBytes(HKEY_LOCAL_MACHINE, KEY, "Empty", REG_BINARY, "", 0);
    char buffer[4];
    memset(buffer, SENTINEL, sizeof buffer);
    EXPECT_EQ(0, RegReadString(HKEY_LOCAL_MACHINE, KEY, "Empty", buffer, sizeof buffer));
    EXPECT_STREQ("", buffer);
}

TEST_F(Primitives, ReadDwordIgnoresTheTypeAndZeroExtendsShortValues)
{
    SetRegDword(HKEY_LOCAL_MACHINE, KEY, "Dword", 2074);
    const BYTE two[] = {0x1A, 0x04};
    SetRegBytes(HKEY_LOCAL_MACHINE, KEY, "Short", REG_BINARY, two, sizeof two);
    SetRegBytes(HKEY_LOCAL_MACHINE, KEY, "Empty", REG_BINARY, two, 0);
    int number = 0x55555555;
    EXPECT_EQ(0, RegReadDword(HKEY_LOCAL_MACHINE, KEY, "Dword", &number));
    EXPECT_EQ(2074, number);
    number = 0x55555555;
    DirtyStack();
    EXPECT_EQ(0, RegReadDword(HKEY_LOCAL_MACHINE, KEY, "Short", &number));
    EXPECT_EQ(0x041A, number);
    number = 0x55555555;
    DirtyStack();
    EXPECT_EQ(0, RegReadDword(HKEY_LOCAL_MACHINE, KEY, "Empty", &number));
    EXPECT_EQ(0, number);
}

TEST_F(Primitives, ReadDwordRefusesValuesLongerThanFourBytesAndKeepsTheTarget)
{
    SetRegString(HKEY_LOCAL_MACHINE, KEY, "Text", "1033\\Normal");
    int number = 1060;
    EXPECT_EQ(2, RegReadDword(HKEY_LOCAL_MACHINE, KEY, "Text", &number));
    EXPECT_EQ(1060, number);
}

TEST_F(Primitives, RemoveValueDeletesOnlyThatValue)
{
    SetRegString(HKEY_LOCAL_MACHINE, KEY, "Engine", "x");
    SetRegString(HKEY_LOCAL_MACHINE, KEY, "Dictionary", "y");
    EXPECT_EQ(0, RegRemoveValue(HKEY_LOCAL_MACHINE, KEY, "Engine"));
    EXPECT_REG_NO_VALUE(HKEY_LOCAL_MACHINE, KEY, "Engine");
    EXPECT_REG_SZ(HKEY_LOCAL_MACHINE, KEY, "Dictionary", "y");
}

// Windows NT semantics, which Wine follows: a key with subkeys stays.
TEST_F(Primitives, RemoveSubkeyDeletesAnEmptyKeyButNotOneWithSubkeys)
{
    SetRegString(HKEY_LOCAL_MACHINE, "Software\\Sandbox\\Leaf", "Name", "x");
    CreateRegKey(HKEY_LOCAL_MACHINE, "Software\\Sandbox\\Tree\\Normal");
    EXPECT_EQ(0, RegRemoveSubkey(HKEY_LOCAL_MACHINE, "Software\\Sandbox", "Leaf"));
    EXPECT_REG_KEY(HKEY_LOCAL_MACHINE, "Software\\Sandbox\\Leaf", false);
    EXPECT_EQ(2, RegRemoveSubkey(HKEY_LOCAL_MACHINE, "Software\\Sandbox", "Tree"));
    EXPECT_REG_KEY(HKEY_LOCAL_MACHINE, "Software\\Sandbox\\Tree\\Normal", true);
}

}  // namespace
