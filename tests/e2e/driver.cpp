#include "e2e/driver.h"
#include "support/build_files.h"
#include "support/office_keys.h"
#include "support/registry_sandbox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

const DWORD POLL_MS = 20;
const int MESSAGE_BOX_TEXT_ID = 0xFFFF;

std::wstring WindowTextOf(HWND window)
{
    wchar_t text[4096] = L"";
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 4096, (LPARAM)text, SMTO_ABORTIFHUNG, 5000, &length);
    return text;
}

struct Search {
    DWORD process;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectVisible(HWND window, LPARAM lParam)
{
    Search* search = (Search*)lParam;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->process && IsWindowVisible(window))
        search->windows.push_back(window);
    return TRUE;
}

std::vector<HWND> VisibleWindowsOf(DWORD process)
{
    Search search = {process, {}};
    EnumWindows(CollectVisible, (LPARAM)&search);
    return search.windows;
}

void DeleteTree(HKEY root, const char* path)
{
    RegDeleteTreeA(root, path);
    RegDeleteKeyA(root, path);
}

void DumpKey(HKEY root, const std::string& path, std::ostringstream& out)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    out << path << "\n";
    for (DWORD i = 0;; i++) {
        char name[256];
        BYTE data[1024];
        DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
        if (RegEnumValueA(key, i, name, &nameSize, NULL, &type, data, &dataSize) != ERROR_SUCCESS)
            break;
        out << "  " << name << " " << type << " " << std::string((char*)data, dataSize) << "\n";
    }
    for (DWORD i = 0;; i++) {
        char name[256];
        DWORD nameSize = sizeof name;
        if (RegEnumKeyExA(key, i, name, &nameSize, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        DumpKey(root, path + "\\" + name, out);
    }
    RegCloseKey(key);
}

const char* const PROGRAM_KEYS[] = {
    "SOFTWARE\\Microsoft\\Office",
    "SOFTWARE\\Microsoft\\Shared Tools\\Proofing Tools",
    "SOFTWARE\\Quenra",
};

}  // namespace

std::wstring Wide(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

std::wstring InstallWarning(const std::string& folder, std::initializer_list<const char*> notCopied,
                            const wchar_t* lastLine)
{
    std::wstring lines;
    auto add = [&lines](const std::wstring& line) {
        lines += (lines.empty() ? L"" : L"\n") + line;
    };
    // A component with a file not copied is left as it was, both its files named.
    for (int first = 0; first < 4; first += 2) {
        size_t before = lines.size();
        for (const std::string name : notCopied) {
            if (name == PAYLOAD_FILES[first] || name == PAYLOAD_FILES[first + 1])
                add(L"Could not copy: " + Wide(folder + "\\" + name));
        }
        for (int i = first; lines.size() > before && i < first + 2; i++)
            add(L"Left as it was: " + Wide(folder + "\\" + PAYLOAD_FILES[i]));
    }
    if (lastLine)
        add(lastLine);
    return L"Setup could not complete the installation of Velmora.\n\n" + lines +
           L"\n\nCorrect the problem and run Setup again.";
}

const char* const PAYLOAD_FILES[4] = {"MSPCR32.DLL", "MSSP_CR.LEX", "MSHYCR32.DLL", "MSHY_CR.LEX"};

void PlaceInstallation(const std::string& folder, bool speller, bool hyphenator,
                       std::string (*bytes)(const std::string& name))
{
    const bool chosen[] = {speller, hyphenator};
    const char* const tools[] = {SPELLING_KEY, HYPHENATION_KEY};
    for (int i = 0; i < 4; i++) {
        if (!chosen[i / 2])
            continue;
        std::string file = folder + "\\" + PAYLOAD_FILES[i];
        WriteFileBytes(file, bytes(PAYLOAD_FILES[i]));
        for (const char* language : {"4122", "1050"}) {
            std::string key = std::string(tools[i / 2]) + "\\" + language + "\\Normal";
            SetRegString(HKEY_LOCAL_MACHINE, key.c_str(), i % 2 ? "Dictionary" : "Engine", file);
        }
    }
}

std::string PayloadBytes(const std::string& name)
{
    std::string bytes = "Sample payload " + name + "\r\n";
    for (int i = 0; i < 256; i++)
        bytes += (char)(i ^ (int)name.size());
    return bytes;
}

Distribution::Distribution() : fresh_(new TempFolder), folder_(fresh_->Path())
{
    EXPECT_TRUE(CopyFileA(WindowsPathOf(VELMORA_SETUP_EXE).c_str(), SetupPath().c_str(), FALSE))
        << "cannot copy " << WindowsPathOf(VELMORA_SETUP_EXE);
    for (const char* name : PAYLOAD_FILES)
        WriteFileBytes(File(name), PayloadBytes(name));
}

std::string Distribution::PayloadContents() const
{
    std::string contents;
    for (const char* name : PAYLOAD_FILES)
        contents += ReadFileBytes(File(name)) + "\n";
    return contents;
}

bool IsDrivePresent(const std::string& path)
{
    return GetDriveTypeA(path.substr(0, 3).c_str()) != DRIVE_NO_ROOT_DIR;
}

namespace {

// Runs a shell command on the Unix side, as Wine starts Unix programs too,
// and waits until done() holds: Wine gives no handle to wait on for them.
template <typename Done>
void RunUnix(const std::string& command, Done done)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string line = "/bin/sh -c \"" + command + "\"";
    ASSERT_TRUE(
        CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
        << line;
    for (DWORD waited = 0; !done() && waited < 10000; waited += POLL_MS)
        Sleep(POLL_MS);
    EXPECT_TRUE(done()) << line;
}

std::string UnixPathOf(const std::string& path)
{
    typedef char*(CDECL * UnixFileName)(const WCHAR*);
    UnixFileName unixFileName = reinterpret_cast<UnixFileName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("KERNEL32"), "wine_get_unix_file_name")));
    char* found = unixFileName ? unixFileName(Wide(path).c_str()) : NULL;
    std::string unixPath = found ? found : "";
    HeapFree(GetProcessHeap(), 0, found);
    return unixPath;
}

std::string Quoted(const std::string& unixPath)
{
    return "'" + unixPath + "'";
}

}  // namespace

FolderAliases::FolderAliases(const std::string& folder)
{
    char prefix[MAX_PATH] = "";
    GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix);
    driveLink_ = std::string(prefix) + "/dosdevices/v:";
    link_ = UnixPathOf("C:\\") + "/velmora-link";
    std::string target = Quoted(UnixPathOf(folder));
    RunUnix("ln -sfn " + target + " " + Quoted(driveLink_) + " && ln -sfn " + target + " " +
                Quoted(link_),
            [this] { return FileExists(Drive + "\\") && FileExists(Link); });
    char shortName[MAX_PATH] = "";
    GetShortPathNameA(folder.c_str(), shortName, sizeof shortName);
    ShortName = shortName;
    EXPECT_NE(ShortName, folder) << "the folder needs a name longer than 8.3";
}

FolderAliases::~FolderAliases()
{
    RunUnix("rm -f " + Quoted(driveLink_) + " " + Quoted(link_),
            [this] { return !FileExists(Drive + "\\") && !FileExists(Link); });
}

SetupProcess::SetupProcess(const Distribution& distribution, const std::string& arguments,
                           int showCommand)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (showCommand >= 0) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = (WORD)showCommand;
    }
    std::string commandLine = "\"" + distribution.SetupPath() + "\" " + arguments;
    EXPECT_TRUE(CreateProcessA(distribution.SetupPath().c_str(), &commandLine[0], NULL, NULL, FALSE,
                               0, NULL, distribution.Folder().c_str(), &startup, &process_))
        << "cannot start " << distribution.SetupPath();
}

SetupProcess::~SetupProcess()
{
    if (!process_.hProcess)
        return;
    if (Running()) {
        ADD_FAILURE() << "Setup.exe was still running at the end of the scenario";
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

void SetupProcess::PostToThread(UINT message, WPARAM wParam) const
{
    EXPECT_TRUE(PostThreadMessageA(process_.dwThreadId, message, wParam, 0));
}

void SetupProcess::End()
{
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, 5000);
}

bool SetupProcess::Running() const
{
    return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

std::vector<std::wstring> SetupProcess::VisibleCaptions() const
{
    std::vector<std::wstring> captions;
    for (HWND window : VisibleWindowsOf(process_.dwProcessId))
        captions.push_back(WindowTextOf(window));
    return captions;
}

HWND SetupProcess::MainWindow() const
{
    HWND window = NULL;
    while ((window = FindWindowExA(NULL, window, "QSetup", NULL))) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process_.dwProcessId)
            return window;
    }
    return NULL;
}

HWND SetupProcess::WaitFor(const std::wstring& caption, int control, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        for (HWND window : VisibleWindowsOf(process_.dwProcessId)) {
            if (std::find(handedOut_.begin(), handedOut_.end(), window) != handedOut_.end())
                continue;
            char className[16] = "";
            GetClassNameA(window, className, sizeof className);
            if (std::string(className) == "#32770" && WindowTextOf(window) == caption &&
                (!control || GetDlgItem(window, control))) {
                handedOut_.push_back(window);
                return window;
            }
        }
        DWORD waited = GetTickCount() - start;
        if (lost_ || waited > timeoutMs || !Running()) {
            lost_ = true;
            std::string seen;
            for (const std::wstring& shown : VisibleCaptions())
                seen += " \"" + Narrow(shown) + "\"";
            ADD_FAILURE() << "expected the window \"" << Narrow(caption) << "\"; after " << waited
                          << " ms saw" << (seen.empty() ? " nothing" : seen)
                          << (Running() ? "" : " (Setup.exe has ended)");
            return NULL;
        }
        Sleep(POLL_MS);
    }
}

namespace {

// The text with the lines of its first paragraph, after its first, sorted.
std::wstring ListSorted(const std::wstring& text)
{
    size_t start = text.find(L'\n'), end = std::min(text.find(L"\n\n"), text.size());
    if (start >= end)
        return text;
    std::vector<std::wstring> lines;
    for (size_t at = start + 1;;) {
        size_t next = std::min(text.find(L'\n', at), end);
        lines.push_back(text.substr(at, next - at));
        if (next == end)
            break;
        at = next + 1;
    }
    std::sort(lines.begin(), lines.end());
    std::wstring sorted = text.substr(0, start);
    for (const std::wstring& line : lines)
        sorted += L"\n" + line;
    return sorted + text.substr(end);
}

}  // namespace

void SetupProcess::Answer(const std::wstring& caption, const std::wstring& text, int button,
                          bool anyOrder)
{
    // The progress page may share a message box's caption; it has no buttons.
    HWND box = WaitFor(caption, button);
    if (!box)
        return;
    std::wstring shown = Text(box, MESSAGE_BOX_TEXT_ID);
    EXPECT_EQ(Narrow(anyOrder ? ListSorted(text) : text),
              Narrow(anyOrder ? ListSorted(shown) : shown))
        << "in " << Narrow(caption);
    Click(box, button);
}

int SetupProcess::WaitForExit(DWORD timeoutMs)
{
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        std::string seen;
        for (const std::wstring& shown : VisibleCaptions())
            seen += " \"" + Narrow(shown) + "\"";
        ADD_FAILURE() << "Setup.exe did not end within " << timeoutMs << " ms; it shows" << seen;
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return (int)code;
}

void PassWelcomeAndLanguage(SetupProcess& setup, bool serbian)
{
    if (HWND welcome = setup.WaitFor(L"Welcome"))
        Click(welcome, IDOK);
    if (HWND language = setup.WaitFor(L"Setup language")) {
        SetChecked(language, IDC_ENGLISH, !serbian);
        SetChecked(language, IDC_SERBIAN, serbian);
        Click(language, IDOK);
    }
}

HWND WalkToDestination(SetupProcess& setup, const Choices& choices)
{
    const bool sr = choices.serbian;
    PassWelcomeAndLanguage(setup, sr);
    if (HWND options = setup.WaitFor(sr ? L"Instalacione opcije" : L"Installation Options"))
        Click(options, IDOK);
    if (HWND tools = setup.WaitFor(sr ? L"Izaberite alate" : L"Select Tools")) {
        SetChecked(tools, IDC_SPELLER, choices.speller);
        SetChecked(tools, IDC_HYPHENATOR, choices.hyphenator);
        Click(tools, IDOK);
    }
    if (HWND languages =
            setup.WaitFor(sr ? L"Izaberite osnovni jezik za pisanje" : L"Set Default Language")) {
        if (choices.wordLanguage >= 0)
            Choose(languages, IDC_WORD_LANG, choices.wordLanguage);
        Click(languages, IDOK);
    }
    return setup.WaitFor(sr ? L"Odredište za datoteke" : L"File Destination");
}

void AcceptDestination(HWND page, const std::string& destination)
{
    if (!page)
        return;
    if (!destination.empty())
        Type(page, IDC_DEST_DIR, destination);
    Click(page, IDOK);
}

void WalkToRemove(SetupProcess& setup, bool serbian)
{
    PassWelcomeAndLanguage(setup, serbian);
    if (HWND options = setup.WaitFor(serbian ? L"Instalacione opcije" : L"Installation Options"))
        Click(options, IDC_REMOVE);
}

// The button's notification, as a click sends it.  A simulated mouse click
// (BM_CLICK) needs the mouse capture, which another program taking the
// foreground can break, and the click is then lost.
void Click(HWND page, int id)
{
    HWND control = GetDlgItem(page, id);
    EXPECT_TRUE(control != NULL) << "no control " << id;
    EXPECT_TRUE(!control || IsWindowEnabled(control)) << "control " << id << " is disabled";
    PostMessageA(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)control);
}

// Sets a check box or radio button and tells the page, as a click would.
// A radio button's partners are the caller's to clear.
void SetChecked(HWND page, int id, bool checked)
{
    if (IsChecked(page, id) == checked)
        return;
    SendDlgItemMessageA(page, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(page, id));
}

bool IsChecked(HWND page, int id)
{
    return SendDlgItemMessageA(page, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Type(HWND page, int id, const std::string& text)
{
    SendDlgItemMessageA(page, id, WM_SETTEXT, 0, (LPARAM)text.c_str());
}

void Choose(HWND page, int id, int index)
{
    SendDlgItemMessageA(page, id, CB_SETCURSEL, index, 0);
}

int ChosenIndex(HWND page, int id)
{
    return (int)SendDlgItemMessageA(page, id, CB_GETCURSEL, 0, 0);
}

std::wstring Text(HWND page, int id)
{
    return WindowTextOf(GetDlgItem(page, id));
}

std::wstring ListItem(HWND page, int id, int index)
{
    wchar_t item[512] = L"";
    if (SendDlgItemMessageW(page, id, CB_GETLBTEXTLEN, index, 0) < 512)
        SendDlgItemMessageW(page, id, CB_GETLBTEXT, index, (LPARAM)item);
    return item;
}

int ListCount(HWND page, int id)
{
    return (int)SendDlgItemMessageA(page, id, CB_GETCOUNT, 0, 0);
}

bool Enabled(HWND page, int id)
{
    return IsWindowEnabled(GetDlgItem(page, id)) != FALSE;
}

// Test output stays ASCII: Wine cannot print other characters here.
std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text) {
        if (c == L'\n')
            out += "\\n";
        else if (c >= 32 && c < 127)
            out += (char)c;
        else {
            char escaped[12];
            snprintf(escaped, sizeof escaped, "\\u%04x", (unsigned)c);
            out += escaped;
        }
    }
    return out;
}

void ResetOfficeRegistry()
{
    for (const char* key : PROGRAM_KEYS)
        DeleteTree(HKEY_LOCAL_MACHINE, key);
    DeleteTree(HKEY_CURRENT_USER, "Software\\Microsoft\\Office");
    for (const char* program :
         {"Winword.EXE", "EXCEL.EXE", "POWERPNT.EXE", "MSACCESS.EXE", "OUTLOOK.EXE"})
        DeleteTree(
            HKEY_LOCAL_MACHINE,
            (std::string("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\") + program)
                .c_str());
}

void InstallOfficeApplications(bool word, bool excel, bool powerPoint, bool access, bool outlook)
{
    const struct {
        bool installed;
        const char* program;
    } applications[] = {{word, "Winword.EXE"},
                        {excel, "EXCEL.EXE"},
                        {powerPoint, "POWERPNT.EXE"},
                        {access, "MSACCESS.EXE"},
                        {outlook, "OUTLOOK.EXE"}};
    for (const auto& application : applications) {
        if (!application.installed)
            continue;
        std::string key = std::string("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\") +
                          application.program;
        const char path[] = "C:\\Program Files\\Microsoft Office\\Office";
        RegSetKeyValueA(HKEY_LOCAL_MACHINE, key.c_str(), "Path", REG_SZ, path, sizeof path);
    }
}

std::string DumpProgramRegistry()
{
    std::ostringstream out;
    for (const char* key : PROGRAM_KEYS)
        DumpKey(HKEY_LOCAL_MACHINE, key, out);
    DumpKey(HKEY_CURRENT_USER, "Software\\Microsoft\\Office", out);
    return out.str();
}
