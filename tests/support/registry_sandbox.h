// Registry isolation for tests: HKLM and HKCU are redirected, in this process
// only, onto scratch keys that are deleted after each test.
#ifndef VELMORA_TESTS_REGISTRY_SANDBOX_H
#define VELMORA_TESTS_REGISTRY_SANDBOX_H

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

class RegistrySandbox : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

private:
    std::string scratchPath_;
};

// Arrange.  Each creates the key path as needed and fails the test if it can't.
void CreateRegKey(HKEY root, const char* keyPath);
void SetRegString(HKEY root, const char* keyPath, const char* valueName, const std::string& text);
void SetRegDword(HKEY root, const char* keyPath, const char* valueName, DWORD value);
void SetRegBytes(HKEY root, const char* keyPath, const char* valueName, DWORD type,
                 const void* data, DWORD size);

// Assert, reporting the caller's line: type, size with terminator, and bytes.
#define EXPECT_REG_SZ(root, key, value, text)                                                      \
    ExpectRegSz(__FILE__, __LINE__, root, key, value, text)
#define EXPECT_REG_DWORD(root, key, value, number)                                                 \
    ExpectRegDword(__FILE__, __LINE__, root, key, value, number)
#define EXPECT_REG_NO_VALUE(root, key, value) ExpectRegNoValue(__FILE__, __LINE__, root, key, value)
#define EXPECT_REG_KEY(root, key, present) ExpectRegKey(__FILE__, __LINE__, root, key, present)

void ExpectRegSz(const char* file, int line, HKEY root, const char* keyPath, const char* valueName,
                 const std::string& text);
void ExpectRegDword(const char* file, int line, HKEY root, const char* keyPath,
                    const char* valueName, DWORD number);
void ExpectRegNoValue(const char* file, int line, HKEY root, const char* keyPath,
                      const char* valueName);
void ExpectRegKey(const char* file, int line, HKEY root, const char* keyPath, bool present);

// The number of values under a key, or -1 when the key does not exist.
int CountRegValues(HKEY root, const char* keyPath);

#endif
