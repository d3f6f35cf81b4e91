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

// Followed by the files that stay, then the advice for each reason why.
const char NOT_REMOVED_ENGLISH[] = "Some previously installed files could not be removed:\n";
const char NOT_REMOVED_SERBIAN[] =
    "Neke prethodno instalirane datoteke nije bilo moguće izbaciti:\n";

bool Confirmed(HWND owner, const BilingualMessage& question)
{
    return ShowMessage(owner, question, MB_ICONQUESTION | MB_YESNO) == IDYES;
}

// The "Dictionary" values go only with their language keys.  On Windows NT
// those keys still hold "Normal" and stay.  The registered files are
// recorded first, for the record to delete them: what cannot be deleted now
// stays known.  Where one cannot be recorded, the registration stays, and
// false is returned.
bool RemoveComponent(const Component& component)
{
    // Another product's tools for the same language are not Setup's to remove.
    int own = RecordRegisteredFiles(component);
    if (own < 0)
        return false;
    char key[KEY_PATH_SIZE];
    for (int i = 0; i < LANGUAGES; i++) {
        ComponentLanguageKey(key, component, i);
        if (own >> i & 1)
            RegRemoveValue(HKEY_LOCAL_MACHINE, key, VAL_ENGINE);
    }
    for (int i = 0; i < LANGUAGES; i++) {
        if (own >> i & 1)
            RegRemoveSubkey(HKEY_LOCAL_MACHINE, component.LanguagesKey, COMPONENT_LANGUAGES[i]);
    }
    return true;
}

// Reads the saved languages, so it runs before the maker's key goes.
void RestoreLanguages()
{
    RestoreSavedLanguages();
    ApplyDefaultLanguages();
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

    // Both components are tried, whatever the first one's outcome.
    bool stays = !RemoveComponent(SPELLER);
    stays = !RemoveComponent(HYPHENATOR) || stays;
    // The original languages stay with a component that stays registered.
    if (!stays) {
        RestoreLanguages();
        RegRemoveSubkey(HKEY_LOCAL_MACHINE, KEY_MAKER, SUBKEY_SAVED_LANGUAGES);
    }
    Report report;
    StartReport(&report, SetupState.LanguageOffset ? NOT_REMOVED_SERBIAN : NOT_REMOVED_ENGLISH);
    // Its files are not listed: they stay registered.
    if (stays)
        AddReportLine(&report, "", RegistryFailureLine());
    if (!SettleRecord(&report))
        ShowMessage(owner, REMOVED, MB_OK | MB_ICONINFORMATION);
    else
        MessageBoxA(owner, report.Text,
                    SetupState.LanguageOffset ? REMOVED_CAPTION_SERBIAN : REMOVED_CAPTION,
                    MB_OK | MB_ICONEXCLAMATION);
    return 0;
}
