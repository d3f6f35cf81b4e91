#include "registry/registry.h"
#include "registry/registry_map.h"
#include "setup/setup.h"

namespace {

const char PROOF_UNDER_COMMON_FILES[] = "\\Microsoft Shared\\Proof";
const char COMMON_FILES_DEFAULT[] = "C:\\Program Files\\Common Files";
const char PROOF_UNDER_WINDOWS[] = "\\MSAPPS\\PROOF";
const char WINDOWS_DIR_DEFAULT[] = "C:\\WINDOWS";

// Whether the folder can take the proofing folder within a path buffer.
bool Fits(const char* folder, const char* proof)
{
    return folder && lstrlenA(folder) + lstrlenA(proof) < PATH_BUFFER_SIZE;
}

// Only whether the value can be read counts; its text is not used.
int CanRead(const char* keyPath, const char* valueName)
{
    char scratch[PATH_BUFFER_SIZE];
    return RegReadString(HKEY_LOCAL_MACHINE, keyPath, valueName, scratch, sizeof scratch) == 0;
}

// An application counts as installed when Windows knows its program.
struct InstalledProgram {
    const char* Program;
    int* Installed;
};
const InstalledProgram PROGRAMS[] = {
    {PROGRAM_WORD, &SetupState.WordInstalled},
    {PROGRAM_EXCEL, &SetupState.ExcelInstalled},
    {PROGRAM_POWERPOINT, &SetupState.PowerPointInstalled},
    {PROGRAM_ACCESS, &SetupState.AccessInstalled},
    {PROGRAM_OUTLOOK, &SetupState.OutlookInstalled},
};

void ProbeInstalledApplications()
{
    for (const InstalledProgram& program : PROGRAMS) {
        char keyPath[KEY_PATH_SIZE];
        wsprintfA(keyPath, FORMAT_APP_PATH_KEY, KEY_WINDOWS_CURRENT_VERSION, program.Program);
        *program.Installed = CanRead(keyPath, VAL_PATH);
    }
}

// Only Setup's own engine counts: another product may register its tools
// for the same languages, and Remove would unregister them.
void ProbeRegistration(const Component& component)
{
    // Both languages are read even when the first one answers.
    int registered = 0;
    for (int language = 0; language < LANGUAGES; language++) {
        char keyPath[KEY_PATH_SIZE];
        ComponentLanguageKey(keyPath, component, language);
        if (RegistersOwnEngine(keyPath, component))
            registered = 1;
    }
    *component.Registered = registered;
}

// The program's directory with its trailing backslash.
void FindSourceDir()
{
    char* path = SetupState.SourceDir;
    DWORD length = GetModuleFileNameA(NULL, path, PATH_BUFFER_SIZE);
    // A path that fills the buffer comes back unterminated on some systems.
    if (length >= PATH_BUFFER_SIZE)
        length = PATH_BUFFER_SIZE - 1;
    path[length] = '\0';
    char* afterBackslash = NULL;
    for (char* p = path; *p; p = CharNextA(p)) {
        if (*p == '\\')
            afterBackslash = p + 1;
    }
    if (afterBackslash)
        *afterBackslash = '\0';
}

void FindDefaultDestination()
{
    char commonFiles[PATH_BUFFER_SIZE];
    int haveCommonFiles = RegReadString(HKEY_LOCAL_MACHINE, KEY_WINDOWS_CURRENT_VERSION,
                                        VAL_COMMON_FILES_DIR, commonFiles, sizeof commonFiles) == 0;
    // GetVersion's top bit marks the Windows 95 family (and Win32s, before
    // version 4); its low byte is the major version.
    DWORD versionWord = GetVersion();
    DWORD major = LOBYTE(LOWORD(versionWord));
    DWORD platform = !(versionWord & 0x80000000) ? VER_PLATFORM_WIN32_NT
                     : major >= 4                ? VER_PLATFORM_WIN32_WINDOWS
                                                 : VER_PLATFORM_WIN32s;
    char windows[PATH_BUFFER_SIZE];
    UINT windowsLength = GetWindowsDirectoryA(windows, sizeof windows);
    int haveWindows = windowsLength > 0 && windowsLength < sizeof windows;
    ChooseDefaultDestination(SetupState.DestDir, haveCommonFiles ? commonFiles : NULL, platform,
                             major, haveWindows ? windows : NULL);
}

}  // namespace

bool RegistersOwnEngine(const char* keyPath, const Component& component)
{
    char engine[PATH_BUFFER_SIZE];
    return RegReadString(HKEY_LOCAL_MACHINE, keyPath, VAL_ENGINE, engine, sizeof engine) == 0 &&
           IsOwnFile(engine, component.EngineFile);
}

void ComponentLanguageKey(char* keyPath, const Component& component, int language)
{
    wsprintfA(keyPath, FORMAT_TOOL_LANGUAGE_KEY, component.LanguagesKey,
              COMPONENT_LANGUAGES[language]);
}

void ChooseDefaultDestination(char* destDir, const char* commonFilesDir, DWORD platformId,
                              DWORD majorVersion, const char* windowsDir)
{
    const char* base = COMMON_FILES_DEFAULT;
    const char* proof = PROOF_UNDER_COMMON_FILES;
    // A CommonFilesDir too long to take the proofing folder counts as unreadable.
    if (Fits(commonFilesDir, proof)) {
        base = commonFilesDir;
    } else if (platformId != VER_PLATFORM_WIN32_WINDOWS && majorVersion < 4) {
        // Windows NT 3.x keeps the shared proofing tools under the Windows directory.
        proof = PROOF_UNDER_WINDOWS;
        base = Fits(windowsDir, proof) ? windowsDir : WINDOWS_DIR_DEFAULT;
    }
    CopyText(destDir, PATH_BUFFER_SIZE, base);
    AppendText(destDir, PATH_BUFFER_SIZE, proof);
}

void ProbeEnvironment()
{
    ProbeInstalledApplications();
    ProbeRegistration(SPELLER);
    ProbeRegistration(HYPHENATOR);
    // Runs cut short are put right at the start.
    SetupState.RecordHeld = PutRecordedFoldersRight();
    SetupState.InstallSpeller = 1;
    SetupState.InstallHyphenator = SetupState.WordInstalled;
    FindSourceDir();
    FindDefaultDestination();
    CopyText(SetupState.ProposedDir, PATH_BUFFER_SIZE, SetupState.DestDir);
}
