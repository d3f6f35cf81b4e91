// Files of the build, as the Windows programs of the tests see them.
#ifndef VELMORA_TESTS_BUILD_FILES_H
#define VELMORA_TESTS_BUILD_FILES_H

#include <windows.h>

#include <string>

// The build names its files by Unix paths; Wine sees the root as drive Z.
std::string WindowsPathOf(const char* unixPath);

// A program of the build opened as a data file, once per path: a 64-bit test
// cannot run 32-bit code, only read it.  NULL, with the reason, when it
// cannot be opened.
HMODULE OpenBuiltProgram(const char* unixPath, std::string* problem);

#ifdef VELMORA_PRODUCT_EXE
#include <gtest/gtest.h>

// Tests that read the shipped 32-bit Setup.exe, opened once as a data file.
class ShippedProductTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string problem;
        module_ = OpenBuiltProgram(VELMORA_PRODUCT_EXE, &problem);
        ASSERT_TRUE(module_ != NULL) << problem;
    }
    HMODULE module_ = NULL;
};
#endif

#endif
