#include "setup/setup.h"

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

}  // namespace
