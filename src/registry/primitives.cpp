#include "registry/registry.h"

namespace {

// The value's stored type is ignored on reading, so a REG_SZ may arrive
// without its terminator: terminate it when it fits, refuse it when it fills
// the whole buffer.
bool TerminateText(char* buffer, DWORD bufferSize, DWORD length)
{
    if (length < bufferSize) {
        buffer[length] = '\0';
        return true;
    }
    return length > 0 && buffer[length - 1] == '\0';
}

HKEY CreateKey(HKEY root, const char* keyPath)
{
    HKEY key;
    LONG status = RegCreateKeyExA(root, keyPath, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE, NULL,
                                  &key, NULL);
    return status == ERROR_SUCCESS ? key : NULL;
}

HKEY OpenKey(HKEY root, const char* keyPath, REGSAM access)
{
    HKEY key;
    return RegOpenKeyExA(root, keyPath, 0, access, &key) == ERROR_SUCCESS ? key : NULL;
}

int WriteValue(HKEY root, const char* keyPath, const char* valueName, DWORD type, const BYTE* data,
               DWORD size)
{
    HKEY key = CreateKey(root, keyPath);
    if (!key)
        return REG_RESULT_NO_KEY;
    LONG status = RegSetValueExA(key, valueName, 0, type, data, size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? REG_RESULT_OK : REG_RESULT_NO_VALUE;
}

}  // namespace

int RegReadString(HKEY root, const char* keyPath, const char* valueName, char* buffer,
                  DWORD bufferSize)
{
    HKEY key = OpenKey(root, keyPath, KEY_QUERY_VALUE);
    if (!key)
        return REG_RESULT_NO_KEY;
    DWORD length = bufferSize;
    LONG status =
        RegQueryValueExA(key, valueName, NULL, NULL, reinterpret_cast<BYTE*>(buffer), &length);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || !TerminateText(buffer, bufferSize, length))
        return REG_RESULT_NO_VALUE;
    return REG_RESULT_OK;
}

int RegReadDword(HKEY root, const char* keyPath, const char* valueName, int* value)
{
    HKEY key = OpenKey(root, keyPath, KEY_QUERY_VALUE);
    if (!key)
        return REG_RESULT_NO_KEY;
    // A value shorter than four bytes is taken zero-extended.
    BYTE bytes[4] = {0, 0, 0, 0};
    DWORD length = sizeof bytes;
    LONG status = RegQueryValueExA(key, valueName, NULL, NULL, bytes, &length);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS)
        return REG_RESULT_NO_VALUE;
    DWORD number = bytes[0] | (DWORD)bytes[1] << 8 | (DWORD)bytes[2] << 16 | (DWORD)bytes[3] << 24;
    *value = (int)number;
    return REG_RESULT_OK;
}

int RegWriteString(HKEY root, const char* keyPath, const char* valueName, const char* text)
{
    return WriteValue(root, keyPath, valueName, REG_SZ, reinterpret_cast<const BYTE*>(text),
                      lstrlenA(text) + 1);
}

int RegWriteDword(HKEY root, const char* keyPath, const char* valueName, int value)
{
    DWORD number = (DWORD)value;
    return WriteValue(root, keyPath, valueName, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                      sizeof number);
}

int RegRemoveValue(HKEY root, const char* keyPath, const char* valueName)
{
    HKEY key = OpenKey(root, keyPath, KEY_SET_VALUE);
    if (!key)
        return REG_RESULT_NO_KEY;
    LONG status = RegDeleteValueA(key, valueName);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? REG_RESULT_OK : REG_RESULT_NO_VALUE;
}

// RegDeleteKeyA on the Windows 95 family deletes the whole tree; on Windows NT
// it fails while the key still has subkeys.  Both outcomes are intended.
int RegRemoveSubkey(HKEY root, const char* parentPath, const char* subkeyName)
{
    HKEY parent = OpenKey(root, parentPath, KEY_SET_VALUE);
    if (!parent)
        return REG_RESULT_NO_KEY;
    LONG status = RegDeleteKeyA(parent, subkeyName);
    RegCloseKey(parent);
    return status == ERROR_SUCCESS ? REG_RESULT_OK : REG_RESULT_NO_VALUE;
}
