// Drives the real Setup.exe from outside, as a user would: it starts the
// program from a distribution folder, waits for each page by its caption,
// sets controls, clicks buttons and answers message boxes.  Texts are read
// and compared as Unicode, whatever the ANSI code page.
#ifndef VELMORA_TESTS_E2E_DRIVER_H
#define VELMORA_TESTS_E2E_DRIVER_H

#include <windows.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "support/temp_folder.h"
#include "support/ui_script.h"

// The pages' controls, as a user finds them.
const int IDC_ENGLISH = 1000, IDC_SERBIAN = 1001, IDC_REMOVE = 1002, IDC_CHANGE_DEFAULT = 1003,
          IDC_SPELLER = 1004, IDC_HYPHENATOR = 1005, IDC_WORD_LANG = 1009, IDC_DEST_DIR = 1014,
          IDC_CURRENT_FILE = 1015;

// Setup.exe beside its four payload files, in a fresh folder or in one that
// a test drive holds.
class Distribution {
public:
    Distribution();
    explicit Distribution(const std::string& folder) : folder_(folder) {}
    const std::string& Folder() const { return folder_; }
    std::string SetupPath() const { return File("Setup.exe"); }
    std::string File(const std::string& name) const { return folder_ + "\\" + name; }
    // Every payload file's bytes, to tell that none changed.
    std::string PayloadContents() const;

private:
    std::unique_ptr<TempFolder> fresh_;
    std::string folder_;
};

// The test drives (tests/e2e/test_drives.sh), where the machine allows
// mounting them: a full disk, a tight one, one full of files and a
// read-only one; the last two hold a distribution.
const char FULL_DRIVE[] = "F:\\";
const char TIGHT_DRIVE[] = "G:\\";
const char DISTRIBUTION_ON_FULL_DRIVE[] = "H:\\Velmora Distribution";
const char DISTRIBUTION_ON_READ_ONLY_DRIVE[] = "R:\\Velmora Distribution";
bool IsDrivePresent(const std::string& path);

// Other names for a folder, as a machine may have them: a drive letter
// mapped onto it (as SUBST or a network drive maps one), a symbolic link in
// drive C, and its short name.  Wine knows a drive or a link as a Unix
// symbolic link, so they are made with ln.
class FolderAliases {
public:
    explicit FolderAliases(const std::string& folder);
    ~FolderAliases();
    FolderAliases(const FolderAliases&) = delete;
    FolderAliases& operator=(const FolderAliases&) = delete;

    const std::string Drive = "V:";
    const std::string Link = "C:\\velmora-link";
    std::string ShortName;

private:
    std::string driveLink_, link_;
};

// The payload files, the speller's two first.
extern const char* const PAYLOAD_FILES[4];
// The sample content of a payload file; each file's bytes are its own.
std::string PayloadBytes(const std::string& name);
// What an installation of the chosen components into folder leaves: their
// files, holding bytes(name), registered for both languages.
void PlaceInstallation(const std::string& folder, bool speller, bool hyphenator,
                       std::string (*bytes)(const std::string& name));

class SetupProcess {
public:
    // showCommand < 0 leaves the start-up information without a show command.
    explicit SetupProcess(const Distribution& distribution, const std::string& arguments = "",
                          int showCommand = -1);
    ~SetupProcess();
    SetupProcess(const SetupProcess&) = delete;
    SetupProcess& operator=(const SetupProcess&) = delete;

    // The next page or message box with this caption that was not handed out
    // before and, when control is nonzero, has that control; NULL, with a
    // failure telling what was there, after the timeout.  Once one wait has
    // failed the later ones give up at once: a scenario that waited out each
    // step would outlast CTest's timeout, and the Setup.exe it then leaves
    // running would make every later scenario a second instance.
    HWND WaitFor(const std::wstring& caption, int control = 0, DWORD timeoutMs = 20000);
    // Waits for the message box, checks its text and presses the button.
    // The files a list names come in the registry's order, which Windows
    // and Wine keep differently: with anyOrder, the lines of the first
    // paragraph after its first are compared in any order.
    void Answer(const std::wstring& caption, const std::wstring& text, int button,
                bool anyOrder = false);
    // Waits for the process; its exit code, or -1 (a failure) on timeout.
    int WaitForExit(DWORD timeoutMs = 20000);
    bool Running() const;
    // Ends the process at once, as a power cut or End Task would.
    void End();
    // Posts to the thread that runs the wizard, as another program may.
    void PostToThread(UINT message, WPARAM wParam) const;

    // Captions of the process's visible top-level windows.
    std::vector<std::wstring> VisibleCaptions() const;
    HWND MainWindow() const;
    DWORD Id() const { return process_.dwProcessId; }

private:
    PROCESS_INFORMATION process_ = {};
    std::vector<HWND> handedOut_;
    bool lost_ = false;
};

// ASCII text, such as a path of the tests, as UTF-16.
std::wstring Wide(const std::string& text);
// The English warning that ends an installation that did not complete: a
// line for each file of the folder that was not copied, the two files of its
// component as left as they were, then lastLine.
std::wstring InstallWarning(const std::string& folder, std::initializer_list<const char*> notCopied,
                            const wchar_t* lastLine = nullptr);

// What a user chooses on the way to the File Destination page.
struct Choices {
    bool serbian = false;
    bool speller = true;
    bool hyphenator = true;
    int wordLanguage = -1;  // index in Word's list; -1 keeps the language
};
// Welcome accepted, then the language chosen and accepted.
void PassWelcomeAndLanguage(SetupProcess& setup, bool serbian);
// From the start through Install to the File Destination page, which it
// returns (NULL, with a failure, when a page did not come).
HWND WalkToDestination(SetupProcess& setup, const Choices& choices);
// Types the destination (unless empty) and presses OK.
void AcceptDestination(HWND page, const std::string& destination);
// From the start to the Remove button, which it presses.
void WalkToRemove(SetupProcess& setup, bool serbian);

// Controls of a page of another process.
void Click(HWND page, int id);
void SetChecked(HWND page, int id, bool checked);
bool IsChecked(HWND page, int id);
void Type(HWND page, int id, const std::string& text);
void Choose(HWND page, int id, int index);
int ChosenIndex(HWND page, int id);
std::wstring Text(HWND page, int id);
std::wstring ListItem(HWND page, int id, int index);
int ListCount(HWND page, int id);
bool Enabled(HWND page, int id);
std::string Narrow(const std::wstring& text);

// The registry as Setup finds it on a machine of the scenario.
void ResetOfficeRegistry();
void InstallOfficeApplications(bool word, bool excel, bool powerPoint, bool access, bool outlook);
// A dump of every key and value Setup may write, for before-and-after checks.
std::string DumpProgramRegistry();

#endif
