// Office and proofing registry: uniform registry access and the default
// proofing language of the five Office applications.
#ifndef VELMORA_REGISTRY_H
#define VELMORA_REGISTRY_H

#include <windows.h>

// Result of every registry access.  Callers mostly test for zero only, so a
// missing key and a missing value read alike as "absent".
enum RegistryResult {
    REG_RESULT_OK = 0,
    REG_RESULT_NO_KEY = 1,   // the key cannot be opened (readers) or created (writers)
    REG_RESULT_NO_VALUE = 2  // the value cannot be read, written or deleted
};

// Each operation opens its key for exactly one access and closes it again.
int RegReadString(HKEY root, const char* keyPath, const char* valueName, char* buffer,
                  DWORD bufferSize);
int RegReadDword(HKEY root, const char* keyPath, const char* valueName, int* value);
int RegWriteString(HKEY root, const char* keyPath, const char* valueName, const char* text);
int RegWriteDword(HKEY root, const char* keyPath, const char* valueName, int value);
int RegRemoveValue(HKEY root, const char* keyPath, const char* valueName);
int RegRemoveSubkey(HKEY root, const char* parentPath, const char* subkeyName);

// Languages that recur in the settings.
enum {
    LCID_ASSUMED = 1060,  // assumed when an application's settings yield none
    LCID_RESTORE_DEFAULT = 1033,
    LCID_CROATIAN = 2074,
    LCID_CROATIAN_BH = 3098
};

// Holds any key path made of the registry map's parts.
enum { KEY_PATH_SIZE = 96 };

// Buffer for a language in its text form, "%d\Normal" of any int.
enum { LANGUAGE_TEXT_SIZE = 20 };

void ReadCurrentLanguages();
// Returns 0, or -1 when a registry write failed (the other writes still run).
int ApplyDefaultLanguages();
// Returns 1 when a language is saved already, 0 after saving this one,
// -1 when saving it failed.
int SaveOriginalLanguage(const char* valueName, int language);
int RestoredLanguage(const char* valueName);
// Each installed application's current language becomes its restored one.
void RestoreSavedLanguages();

// The language of a text setting: its leading integer within the first five
// characters; 0 when there is none.
int ParseLanguageText(const char* text);
void FormatLanguageText(char* text, int language);

#endif
