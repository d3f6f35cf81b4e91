#include "support/registry_sandbox.h"

#include <vector>

namespace {

std::string RootName(HKEY root)
{
    return root == HKEY_LOCAL_MACHINE ? "HKLM" : root == HKEY_CURRENT_USER ? "HKCU" : "root";
}

HKEY CreateScratchKey(const std::string& path)
{
    HKEY key = NULL;
    LONG status = RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL,
                                  &key, NULL);
    EXPECT_EQ(ERROR_SUCCESS, status) << "cannot create " << path;
    return key;
}

}  // namespace

void RegistrySandbox::SetUp()
{
    static int counter;
    scratchPath_ = "Software\\VelmoraTests\\" + std::to_string(GetCurrentProcessId()) + "-" +
                   std::to_string(++counter);
    HKEY machine = CreateScratchKey(scratchPath_ + "\\HKLM");
    HKEY user = CreateScratchKey(scratchPath_ + "\\HKCU");
    ASSERT_EQ(ERROR_SUCCESS, RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine));
    ASSERT_EQ(ERROR_SUCCESS, RegOverridePredefKey(HKEY_CURRENT_USER, user));
    RegCloseKey(machine);
    RegCloseKey(user);
}

void RegistrySandbox::TearDown()
{
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, NULL);
    RegOverridePredefKey(HKEY_CURRENT_USER, NULL);
    RegDeleteTreeA(HKEY_CURRENT_USER, scratchPath_.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, scratchPath_.c_str());
}

void CreateRegKey(HKEY root, const char* keyPath)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExA(root, keyPath, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL))
        << RootName(root) << "\\" << keyPath;
    RegCloseKey(key);
}

void SetRegBytes(HKEY root, const char* keyPath, const char* valueName, DWORD type,
                 const void* data, DWORD size)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExA(root, keyPath, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL))
        << RootName(root) << "\\" << keyPath;
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, valueName, 0, type, (const BYTE*)data, size));
    RegCloseKey(key);
}

void SetRegString(HKEY root, const char* keyPath, const char* valueName, const std::string& text)
{
    SetRegBytes(root, keyPath, valueName, REG_SZ, text.c_str(), (DWORD)text.size() + 1);
}

void SetRegDword(HKEY root, const char* keyPath, const char* valueName, DWORD value)
{
    SetRegBytes(root, keyPath, valueName, REG_DWORD, &value, sizeof value);
}

namespace {

// Reads a value as stored; false when the key or value is missing.
bool QueryValue(HKEY root, const char* keyPath, const char* valueName, DWORD* type,
                std::vector<BYTE>* data)
{
    HKEY key;
    if (RegOpenKeyExA(root, keyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    DWORD size = 0;
    LONG status = RegQueryValueExA(key, valueName, NULL, type, NULL, &size);
    if (status == ERROR_SUCCESS) {
        // A sentinel fill shows any byte the system did not write.
        data->assign(size + 16, 0xAB);
        status = RegQueryValueExA(key, valueName, NULL, type, data->data(), &size);
        data->resize(size);
    }
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

}  // namespace

void ExpectRegSz(const char* file, int line, HKEY root, const char* keyPath, const char* valueName,
                 const std::string& text)
{
    DWORD type = 0;
    std::vector<BYTE> data;
    std::string where = RootName(root) + "\\" + keyPath + " \"" + valueName + "\"";
    if (!QueryValue(root, keyPath, valueName, &type, &data)) {
        ADD_FAILURE_AT(file, line) << where << " is missing; expected \"" << text << "\"";
        return;
    }
    if (type != REG_SZ)
        ADD_FAILURE_AT(file, line) << where << " has type " << type << ", expected REG_SZ";
    if (data.size() != text.size() + 1)
        ADD_FAILURE_AT(file, line)
            << where << " has " << data.size() << " bytes, expected " << text.size() + 1;
    std::string stored(data.begin(), data.end());
    if (stored != std::string(text.c_str(), text.size() + 1))
        ADD_FAILURE_AT(file, line)
            << where << " holds \"" << stored.c_str() << "\", expected \"" << text << "\"";
}

void ExpectRegDword(const char* file, int line, HKEY root, const char* keyPath,
                    const char* valueName, DWORD number)
{
    DWORD type = 0;
    std::vector<BYTE> data;
    std::string where = RootName(root) + "\\" + keyPath + " \"" + valueName + "\"";
    if (!QueryValue(root, keyPath, valueName, &type, &data)) {
        ADD_FAILURE_AT(file, line) << where << " is missing; expected " << number;
        return;
    }
    if (type != REG_DWORD || data.size() != 4) {
        ADD_FAILURE_AT(file, line) << where << " has type " << type << " and " << data.size()
                                   << " bytes, expected a REG_DWORD";
        return;
    }
    DWORD stored;
    memcpy(&stored, data.data(), 4);
    if (stored != number)
        ADD_FAILURE_AT(file, line) << where << " holds " << stored << ", expected " << number;
}

void ExpectRegNoValue(const char* file, int line, HKEY root, const char* keyPath,
                      const char* valueName)
{
    DWORD type = 0;
    std::vector<BYTE> data;
    if (QueryValue(root, keyPath, valueName, &type, &data))
        ADD_FAILURE_AT(file, line) << RootName(root) << "\\" << keyPath << " \"" << valueName
                                   << "\" exists; expected none";
}

void ExpectRegKey(const char* file, int line, HKEY root, const char* keyPath, bool present)
{
    HKEY key;
    bool exists = RegOpenKeyExA(root, keyPath, 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (exists)
        RegCloseKey(key);
    if (exists != present)
        ADD_FAILURE_AT(file, line) << RootName(root) << "\\" << keyPath
                                   << (present ? " is missing" : " exists; expected none");
}

int CountRegValues(HKEY root, const char* keyPath)
{
    HKEY key;
    if (RegOpenKeyExA(root, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return -1;
    DWORD values = 0;
    RegQueryInfoKeyA(key, NULL, NULL, NULL, NULL, NULL, NULL, &values, NULL, NULL, NULL, NULL);
    RegCloseKey(key);
    return (int)values;
}
