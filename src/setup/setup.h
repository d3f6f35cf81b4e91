// Setup flow: the run-wide state, the wizard driver, and the install and
// remove operations.
#ifndef VELMORA_SETUP_H
#define VELMORA_SETUP_H

#include <windows.h>

// Path buffers: 8-bit ANSI, 512 bytes with the terminator.
enum { PATH_BUFFER_SIZE = 512 };

// Added to a page's base id for its Serbian template.
enum { LANGUAGE_OFFSET_SERBIAN = 100 };

// Flags hold 0 or 1; languages are LCIDs.
struct SetupStateRecord {
    int LanguageOffset;
    int WordInstalled;
    int ExcelInstalled;
    int PowerPointInstalled;
    int AccessInstalled;
    int OutlookInstalled;
    int SpellerRegistered;
    int HyphenatorRegistered;
    int InstallSpeller;
    int InstallHyphenator;
    char SourceDir[PATH_BUFFER_SIZE];
    char DestDir[PATH_BUFFER_SIZE];
    int WordLang;
    int ExcelLang;
    int PowerPointLang;
    int AccessLang;
    int OutlookLang;
    int PrevWordLang;
    int PrevExcelLang;
    int PrevPowerPointLang;
    int PrevAccessLang;
    int PrevOutlookLang;
};

// The one record of the run, shared by the pages and the operations.
extern SetupStateRecord SetupState;

// The whole run: -2 when an Office application was open, -1 when the user
// left, 0 when an action was carried out.
int RunSetup(HWND owner);
// -1 when the user confirms leaving (after the interruption notice), else 0.
int ConfirmExit(HWND owner);
// 0 when done, -1 when the user left on the way.
int InstallComponents(HWND owner);
int RemoveComponents(HWND owner);

// A message box text in both languages; LanguageOffset picks one at the
// point of use.
struct MessageText {
    const char* Text;
    const char* Caption;
};
struct BilingualMessage {
    MessageText English;
    MessageText Serbian;
};
int ShowMessage(HWND owner, const BilingualMessage& message, UINT type);

void ProbeEnvironment();
// The default destination by the three platform rules.  commonFilesDir and
// windowsDir may be NULL when they could not be read.
void ChooseDefaultDestination(char* destDir, const char* commonFilesDir, DWORD platformId,
                              DWORD majorVersion, const char* windowsDir);

// Bounded string building into fixed buffers: 0, or -1 with the buffer
// unchanged when the result would not fit.
int AppendText(char* buffer, int bufferSize, const char* text);
int CopyText(char* buffer, int bufferSize, const char* text);

#endif
