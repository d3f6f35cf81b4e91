#include "support/office_keys.h"

#include "support/registry_sandbox.h"

#include <string>

void ExpectLanguages(const char* file, int line, int word, int access, int powerPoint, int excel,
                     int outlook)
{
    const std::string excelText = std::to_string(excel) + "\\Normal";
    const std::string outlookText = std::to_string(outlook) + "\\Normal";
    ExpectRegDword(file, line, HKEY_LOCAL_MACHINE, WORD_KEY, "Language ID", word);
    ExpectRegDword(file, line, HKEY_LOCAL_MACHINE, ACCESS_KEY, "Language ID", access);
    ExpectRegDword(file, line, HKEY_LOCAL_MACHINE, POWERPOINT_NEW_KEY, "Language Id", powerPoint);
    ExpectRegDword(file, line, HKEY_CURRENT_USER, POWERPOINT_USER_KEY, "Language Id", powerPoint);
    ExpectRegSz(file, line, HKEY_LOCAL_MACHINE, EXCEL_NEW_KEY, "Speller", excelText);
    ExpectRegSz(file, line, HKEY_CURRENT_USER, EXCEL_USER_KEY, "Speller", excelText);
    ExpectRegSz(file, line, HKEY_LOCAL_MACHINE, OUTLOOK_NEW_KEY, "Speller", outlookText);
    ExpectRegSz(file, line, HKEY_CURRENT_USER, OUTLOOK_USER_KEY, "Speller", outlookText);
}
