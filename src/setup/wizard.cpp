#include "pages/pages.h"
#include "registry/registry.h"
#include "setup/setup.h"

namespace {

// Top-level windows of Office 97's applications, looked for in this order.
const char* const OFFICE_WINDOW_CLASSES[] = {
    "OpusApp", "XLMAIN", "PP97FrameClass", "mspim_wnd32", "BinderFrame", "BS96SE", "MSOChart32",
};

const BilingualMessage EXIT_QUESTION = {
    {"Are you sure you want to exit this Setup? Setup hasn't completed the installation of MS "
     "Proofing Tools!",
     "Exit"},
    {"Da li ste sigurni da želite da prekinete instalaciju? Instalacioni program nije završio sa "
     "instalacijom programa za proveru teksta!",
     "Prekid instalacije"},
};

const BilingualMessage INTERRUPTED_NOTICE = {
    {"The Velmora Setup was interrupted before your software was fully installed.\n\nYou can run "
     "the Velmora Setup at any time to complete the installation.",
     "Setup"},
    {"Instalacija alatki za proveru teksta na srpskom jeziku je prekinuta pre nego što je program "
     "do kraja instaliran.\n\nMožete pokrenuti ovaj instalacioni program bilo kada kako biste "
     "završili instalaciju.",
     "Instalacija"},
};

// %s is the line that the install report gives for the same failure.
const BilingualMessage LANGUAGES_NOT_CHANGED = {
    {"Setup could not change the default languages.\n\n%s", "Setup"},
    {"Instalacioni program nije uspeo da promeni osnovne jezike.\n\n%s", "Instalacija"},
};

// wsprintfA writes at most this much, terminator included.
enum { MESSAGE_SIZE = 1024 };

const MessageText& InRunLanguage(const BilingualMessage& message)
{
    return SetupState.LanguageOffset ? message.Serbian : message.English;
}

bool OfficeApplicationRunning()
{
    for (const char* windowClass : OFFICE_WINDOW_CLASSES) {
        if (FindWindowA(windowClass, NULL))
            return true;
    }
    return false;
}

// A page is shown again after a declined exit question; -1 when left.
int ShowPageUntilAccepted(int baseId, DLGPROC procedure, HWND owner)
{
    while (ShowPage(baseId, procedure, owner) != PAGE_NEXT) {
        if (ConfirmExit(owner) != 0)
            return -1;
    }
    return 0;
}

int ChangeDefaultLanguages(HWND owner)
{
    if (ShowPageUntilAccepted(IDD_DEFAULT_LANGUAGE, DefaultLanguageProc, owner) != 0)
        return -1;
    // Without administrator rights on Windows NT the writes fail; the user
    // must not be left to think the languages changed.
    if (ApplyDefaultLanguages() != 0)
        ShowMessageAbout(owner, LANGUAGES_NOT_CHANGED, RegistryFailureLine(),
                         MB_OK | MB_ICONEXCLAMATION);
    return 0;
}

int Install(HWND owner)
{
    if (ShowPageUntilAccepted(IDD_SELECT_TOOLS, SelectToolsProc, owner) != 0 ||
        ShowPageUntilAccepted(IDD_DEFAULT_LANGUAGE, DefaultLanguageProc, owner) != 0)
        return -1;
    return InstallComponents(owner);
}

int ChooseAction(HWND owner)
{
    for (;;) {
        switch (ShowPage(IDD_OPTIONS, PageProc, owner)) {
        case PAGE_EXIT:
            if (ConfirmExit(owner) != 0)
                return -1;
            break;
        case PAGE_REMOVE:
            return RemoveComponents(owner);
        case PAGE_CHANGE_DEFAULT:
            return ChangeDefaultLanguages(owner);
        default:
            return Install(owner);
        }
    }
}

}  // namespace

int ShowMessage(HWND owner, const BilingualMessage& message, UINT type)
{
    const MessageText& text = InRunLanguage(message);
    return MessageBoxA(owner, text.Text, text.Caption, type);
}

int ShowMessageAbout(HWND owner, const BilingualMessage& message, const char* subject, UINT type,
                     const char* detail)
{
    const MessageText& text = InRunLanguage(message);
    char composed[MESSAGE_SIZE];
    wsprintfA(composed, text.Text, subject, detail);
    return MessageBoxA(owner, composed, text.Caption, type);
}

int ConfirmExit(HWND owner)
{
    // Once a quit is posted every message box returns at once: the run ends
    // as if Yes were answered.
    if (ShowMessage(owner, EXIT_QUESTION, MB_YESNO | MB_ICONQUESTION) != IDYES && !QuitPosted())
        return 0;
    ShowMessage(owner, INTERRUPTED_NOTICE, MB_OK | MB_ICONINFORMATION);
    return -1;
}

int RunSetup(HWND owner)
{
    // Nothing is probed or changed beside an open Office application; the
    // language is not chosen yet, so this page is always the English one.
    if (OfficeApplicationRunning()) {
        ShowPage(IDD_APPS_DETECTED, PageProc, owner);
        return -2;
    }
    ProbeEnvironment();
    if (ShowPageUntilAccepted(IDD_WELCOME, PageProc, owner) != 0 ||
        ShowPageUntilAccepted(IDD_SETUP_LANGUAGE, PageProc, owner) != 0)
        return -1;
    return ChooseAction(owner);
}
