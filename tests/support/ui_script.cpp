#include "support/ui_script.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Wine and Windows give a message box's text this control id.
const int MESSAGE_BOX_TEXT_ID = 0xFFFF;
const int MESSAGE_BOX_ICON_ID = 1088;
thread_local UiScript* current;

bool IsDialog(HWND window)
{
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    return std::string(className) == "#32770";
}

// What a script does with a dialog it did not expect: leave the run.  A
// page's label may have the message text's id too, but only pages cancel.
void Unwind(HWND dialog)
{
    if (GetDlgItem(dialog, IDCANCEL))
        PostClick(dialog, IDCANCEL);
    else
        PostClick(dialog, GetDlgItem(dialog, IDYES) ? IDYES : IDOK);
}

}  // namespace

UiScript::UiScript(std::vector<UiStep> steps) : steps_(std::move(steps))
{
    current = this;
    hook_ = SetWindowsHookExA(WH_CBT, Hook, NULL, GetCurrentThreadId());
    timer_ = SetTimer(NULL, 0, 10, Timer);
}

UiScript::~UiScript()
{
    KillTimer(NULL, timer_);
    UnhookWindowsHookEx(hook_);
    // A dialog that came and went after the last tick still counts.
    HandleSeen();
    current = nullptr;
    for (size_t i = next_; i < steps_.size(); i++)
        ADD_FAILURE() << "expected the dialog \"" << steps_[i].caption << "\", it never came";
}

LRESULT CALLBACK UiScript::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    if (current && code == HCBT_ACTIVATE)
        current->Note((HWND)wParam);
    else if (current && code == HCBT_DESTROYWND)
        current->Forget((HWND)wParam);
    return CallNextHookEx(NULL, code, wParam, lParam);
}

void CALLBACK UiScript::Timer(HWND, UINT, UINT_PTR, DWORD)
{
    if (current)
        current->HandleSeen();
}

// A dialog is activated again whenever a box it owns closes: it is noted once.
void UiScript::Note(HWND window)
{
    if (!IsDialog(window) || std::find(noted_.begin(), noted_.end(), window) != noted_.end())
        return;
    noted_.push_back(window);
    seen_.push_back({window, WindowCaption(window)});
}

// A later window may be given the same handle.
void UiScript::Forget(HWND window)
{
    noted_.erase(std::remove(noted_.begin(), noted_.end(), window), noted_.end());
}

void UiScript::HandleSeen()
{
    // An action may open or close dialogs, which note more.
    while (!seen_.empty()) {
        Seen seen = seen_.front();
        seen_.erase(seen_.begin());
        Handle(seen);
    }
}

void UiScript::Handle(const Seen& seen)
{
    bool open = IsWindow(seen.dialog) != FALSE;
    if (next_ >= steps_.size()) {
        ADD_FAILURE() << "unexpected dialog \"" << seen.caption << "\" after the last step";
        if (open)
            Unwind(seen.dialog);
        return;
    }
    const UiStep& step = steps_[next_++];
    if (seen.caption != step.caption) {
        ADD_FAILURE() << "expected the dialog \"" << step.caption << "\", saw \"" << seen.caption
                      << "\" (step " << next_ << ")";
        if (open)
            Unwind(seen.dialog);
    } else if (step.action && open) {
        // One already gone needs no answer: a box ended by a posted quit.
        step.action(seen.dialog);
    }
}

void PostClick(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(dialog, id));
}

std::function<void(HWND)> Click(int id)
{
    return [id](HWND dialog) { PostClick(dialog, id); };
}

std::function<void(HWND)> Type(int id, const std::string& text)
{
    return [id, text](HWND dialog) { SetDlgItemTextA(dialog, id, text.c_str()); };
}

std::function<void(HWND)> Then(std::function<void(HWND)> first, std::function<void(HWND)> second)
{
    return [first, second](HWND dialog) {
        first(dialog);
        second(dialog);
    };
}

std::function<void(HWND)> Answer(const std::string& text, int button)
{
    return [text, button](HWND box) {
        EXPECT_EQ(text, MessageBoxTextOf(box));
        PostClick(box, button);
    };
}

std::function<void(HWND)> AnswerBox(UINT type, int button)
{
    return [type, button](HWND box) {
        UINT icon = type & MB_ICONMASK;
        LPCSTR expected = icon == MB_ICONQUESTION      ? IDI_QUESTION
                          : icon == MB_ICONEXCLAMATION ? IDI_EXCLAMATION
                                                       : IDI_ASTERISK;
        EXPECT_EQ((LRESULT)LoadIconA(NULL, expected),
                  SendDlgItemMessageA(box, MESSAGE_BOX_ICON_ID, STM_GETICON, 0, 0))
            << MessageBoxTextOf(box);
        std::string buttons;
        for (int id : {IDOK, IDCANCEL, IDYES, IDNO})
            buttons += GetDlgItem(box, id) ? std::to_string(id) + " " : "";
        EXPECT_EQ((type & MB_TYPEMASK) == MB_YESNO ? "6 7 " : "1 ", buttons)
            << MessageBoxTextOf(box);
        PostClick(box, button);
    };
}

std::string ControlText(HWND dialog, int id)
{
    char text[2048] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

std::string MessageBoxTextOf(HWND box)
{
    return ControlText(box, MESSAGE_BOX_TEXT_ID);
}

bool IsControlEnabled(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    EXPECT_TRUE(control != NULL) << "no control " << id;
    return control && IsWindowEnabled(control);
}

std::string WindowCaption(HWND window)
{
    char caption[256] = "";
    GetWindowTextA(window, caption, sizeof caption);
    return caption;
}

HWND CreateOwnerWindow()
{
    return CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 1024, 768, NULL, NULL,
                           GetModuleHandleA(NULL), NULL);
}

OfficeWindow::OfficeWindow(const char* className) : className_(className)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, className, "", WS_POPUP, 0, 0, 10, 10, NULL, NULL,
                              GetModuleHandleA(NULL), NULL);
}

OfficeWindow::~OfficeWindow()
{
    DestroyWindow(window_);
    UnregisterClassA(className_.c_str(), GetModuleHandleA(NULL));
}
