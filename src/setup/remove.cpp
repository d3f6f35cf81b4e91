#include "registry/registry.h"
#include "registry/registry_map.h"
#include "setup/setup.h"

namespace {

// The scan's subkey-name buffer: a longer name ends the scan.
enum { SUBKEY_NAME_SIZE = 100, LANGUAGE_NAME_LENGTH = 4 };

const BilingualMessage REMOVE_QUESTION = {
    {"Are you sure you want to remove the Velmora?\n\nWARNING: If you choose Yes, Velmora will be "
     "removed from all MS Office 97 applications. The default Proofing Tool language will revert "
     "back to your original settings.",
     "Remove"},
    {"Da li ste sigurni da želite da izbacite alatke za proveru teksta na srpskom jeziku?\n\n"
     "UPOZORENJE: Ukoliko izaberete Da, alatke za proveru teksta na srpskom jeziku će biti "
     "izbačene iz svih Office 97 aplikacija. Osnovni jezik za pisanje će biti vraćen na vrednost "
     "zatečenu prilikom instalacije.",
     "Izbaci"},
};

const BilingualMessage LAST_TOOLS_WARNING = {
    {"WARNING: You do not have any other Proofing Tools installed. If you remove Velmora, then "
     "you will have no Proofing Tools installed in your MS Office 97 applications.\n\nIf you wish "
     "to remove Velmora and revert to the deleted tools that were previously installed, click Yes "
     "to continue and make sure that you manually reinstall them.\n\nClick No if you wish to keep "
     "Velmora.",
     "Remove"},
    {"UPOZORENJE: Nijedan drugi alat za proveru teksta nije instaliran. Ukoliko izbacite alatke "
     "za proveru teksta na srpskom jeziku, neće vam ostati ni jedna druga alatka za proveru "
     "teksta u vašim MS Office 97 aplikacijama.\n\nUkoliko želite da izbacite alatke za proveru "
     "teksta na srpskom jeziku i vratite se na izbrisane alatke koje su prethodno bile "
     "instalirane, kliknite na Da kako biste nastavili i potrudite se da ih ručno re-instalirate."
     "\n\nKliknite na Ne ukoliko želite da zadržite alatke za proveru teksta na srpskom jeziku.",
     "Izbaci"},
};

const char REMOVED_CAPTION[] = "Removed Files";
const char REMOVED_CAPTION_SERBIAN[] = "Izbačene datoteke";

const BilingualMessage REMOVED = {
    {"All previously installed files were successfully removed!", REMOVED_CAPTION},
    {"Sve prethodno instalirane datoteke su bile izbačene!", REMOVED_CAPTION_SERBIAN},
};

// The kept files' header follows the files not removed; alone, it goes
// without its first two line feeds.
struct RemoveReport {
    const char* Header;
    const char* Footer;
    const char* KeptHeader;
    const char* Caption;
};
const RemoveReport REMOVE_REPORT_ENGLISH = {
    "Some previously installed files could not be removed:\n",
    "\n\nClose any program that may be using them and delete them by hand.",
    "\n\nKept, as Setup runs from their folder:\n",
    REMOVED_CAPTION,
};
const RemoveReport REMOVE_REPORT_SERBIAN = {
    "Neke prethodno instalirane datoteke nije bilo moguće izbaciti:\n",
    "\n\nZatvorite programe koji ih možda koriste i izbrišite ih ručno.",
    "\n\nZadržane, jer se instalacija pokreće iz njihove fascikle:\n",
    REMOVED_CAPTION_SERBIAN,
};

const RemoveReport& ReportTexts()
{
    return SetupState.LanguageOffset ? REMOVE_REPORT_SERBIAN : REMOVE_REPORT_ENGLISH;
}

bool Confirmed(HWND owner, const BilingualMessage& question)
{
    return ShowMessage(owner, question, MB_ICONQUESTION | MB_YESNO) == IDYES;
}

// Deletes the file a registry value names, when it is the payload file that
// the value registers: the registry may name any file, and Setup deletes
// only its own, never one of the distribution it runs from by whatever name.
// A file already gone is no failure: a path registered for both languages
// goes at its first reading.  One that cannot be told or reached is kept and
// listed.  Returns whether the file is the distribution's and was kept.
bool DeleteRegisteredFile(const char* keyPath, const char* valueName, const char* fileName,
                          Report* notRemoved)
{
    char path[PATH_BUFFER_SIZE];
    if (RegReadString(HKEY_LOCAL_MACHINE, keyPath, valueName, path, sizeof path) != 0 ||
        !IsOwnFile(path, fileName))
        return false;
    int state = RegisteredFileState(path, fileName);
    // Only a file already gone is no failure: a drive that went away is one.
    if (state == REGISTERED_OWN && !DeleteFileA(path) && GetLastError() != ERROR_FILE_NOT_FOUND)
        state = REGISTERED_UNKNOWN;
    if (state == REGISTERED_UNKNOWN)
        AddReportLine(notRemoved, "", path);
    return state == REGISTERED_SHIPPED;
}

// The "Dictionary" values go only with their language keys.  On Windows NT
// those keys still hold "Normal" and stay.  Which of the component's files
// were kept as the distribution's: 1 the engine, 2 the lexicon.
int RemoveComponent(const Component& component, Report* notRemoved)
{
    char keys[LANGUAGES][KEY_PATH_SIZE];
    // Another product's tools for the same language are not Setup's to remove.
    bool own[LANGUAGES];
    for (int i = 0; i < LANGUAGES; i++) {
        ComponentLanguageKey(keys[i], component, i);
        own[i] = RegistersOwnEngine(keys[i], component);
    }
    int kept = 0;
    for (int i = 0; i < LANGUAGES; i++) {
        if (!own[i])
            continue;
        if (DeleteRegisteredFile(keys[i], VAL_ENGINE, component.EngineFile, notRemoved))
            kept |= 1;
        if (DeleteRegisteredFile(keys[i], VAL_DICTIONARY, component.LexiconFile, notRemoved))
            kept |= 2;
    }
    for (int i = 0; i < LANGUAGES; i++) {
        if (own[i])
            RegRemoveValue(HKEY_LOCAL_MACHINE, keys[i], VAL_ENGINE);
    }
    for (int i = 0; i < LANGUAGES; i++) {
        if (own[i])
            RegRemoveSubkey(HKEY_LOCAL_MACHINE, component.LanguagesKey, COMPONENT_LANGUAGES[i]);
    }
    return kept;
}

// Reads the saved languages, so it runs before the maker's key goes.
void RestoreLanguages()
{
    RestoreSavedLanguages();
    ApplyDefaultLanguages();
}

// Success only when no registered file of Setup's is left: the files not
// removed are the user's to delete, those kept are the distribution's.
void ReportRemoval(HWND owner, Report* report, int kept)
{
    int notRemoved = report->Lines;
    if (!notRemoved && !kept) {
        ShowMessage(owner, REMOVED, MB_OK | MB_ICONINFORMATION);
        return;
    }
    const RemoveReport& texts = ReportTexts();
    if (notRemoved)
        FinishReport(report, texts.Footer);
    if (kept) {
        if (notRemoved)
            AddSection(report, texts.KeptHeader);
        else
            StartReport(report, texts.KeptHeader + 2);
        // The kept files' bits follow the payload files' order.
        for (int i = 0; i < 4; i++) {
            if (kept >> i & 1)
                AddReportLine(report, SetupState.SourceDir, PAYLOAD_FILES[i]);
        }
    }
    MessageBoxA(owner, report->Text, texts.Caption, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

bool IsOtherLanguageName(const char* name)
{
    if (lstrlenA(name) != LANGUAGE_NAME_LENGTH)
        return false;
    for (int i = 0; i < LANGUAGE_NAME_LENGTH; i++) {
        if (name[i] < '0' || name[i] > '9')
            return false;
    }
    return !IsSameText(name, SUBKEY_4122) && !IsSameText(name, SUBKEY_1050);
}

int OtherProofingToolsPresent()
{
    HKEY spelling;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, KEY_SPELLING, 0, KEY_ENUMERATE_SUB_KEYS, &spelling) !=
        ERROR_SUCCESS)
        return 0;
    int found = 0;
    for (DWORD index = 0; !found; index++) {
        char name[SUBKEY_NAME_SIZE];
        DWORD capacity = sizeof name;
        if (RegEnumKeyExA(spelling, index, name, &capacity, NULL, NULL, NULL, NULL) !=
            ERROR_SUCCESS)
            break;
        found = IsOtherLanguageName(name);
    }
    RegCloseKey(spelling);
    return found;
}

int RemoveComponents(HWND owner)
{
    if (!Confirmed(owner, REMOVE_QUESTION))
        return -1;
    if (!OtherProofingToolsPresent() && !Confirmed(owner, LAST_TOOLS_WARNING))
        return -1;

    Report notRemoved;
    StartReport(&notRemoved, ReportTexts().Header);
    // Runs cut short are put right before anything is read of the files.
    PutRecordedFoldersRight(&notRemoved);
    int kept = RemoveComponent(SPELLER, &notRemoved);
    kept |= RemoveComponent(HYPHENATOR, &notRemoved) << 2;
    RestoreLanguages();
    RegRemoveSubkey(HKEY_LOCAL_MACHINE, KEY_MAKER, SUBKEY_SAVED_LANGUAGES);
    ReportRemoval(owner, &notRemoved, kept);
    return 0;
}
