// Drives the dialogs that code under test opens on this thread.  A CBT hook
// notes each dialog as it is first activated, so that one shown only for a
// moment is seen however fast the machine; a thread timer, dispatched by
// the dialogs' own message loops, then matches the noted dialogs with the
// steps in turn by caption and hands each to its step's action.  Actions
// post their clicks, so that a click whose handler opens a message box
// returns first.
#ifndef VELMORA_TESTS_UI_SCRIPT_H
#define VELMORA_TESTS_UI_SCRIPT_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct UiStep {
    std::string caption;
    std::function<void(HWND)> action;
};

class UiScript {
public:
    explicit UiScript(std::vector<UiStep> steps);
    // Fails the test when steps are left over.
    ~UiScript();
    UiScript(const UiScript&) = delete;
    UiScript& operator=(const UiScript&) = delete;

private:
    struct Seen {
        HWND dialog;
        std::string caption;  // as activated: the window may be gone when handled
    };
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK Timer(HWND, UINT, UINT_PTR, DWORD);
    void Note(HWND window);
    void Forget(HWND window);
    void HandleSeen();
    void Handle(const Seen& seen);

    std::vector<UiStep> steps_;
    size_t next_ = 0;
    std::vector<HWND> noted_;  // live dialogs already noted
    std::vector<Seen> seen_;   // noted, not handled yet
    HHOOK hook_;
    UINT_PTR timer_;
};

// Actions.
std::function<void(HWND)> Click(int id);
// Sets the text of an edit control.
std::function<void(HWND)> Type(int id, const std::string& text);
std::function<void(HWND)> Then(std::function<void(HWND)> first, std::function<void(HWND)> second);
// Checks a message box's text, then answers it with the given button.
std::function<void(HWND)> Answer(const std::string& text, int button);
// Checks a message box's icon and buttons against a MessageBox type
// (MB_ICONQUESTION | MB_YESNO and the like), then answers it.
std::function<void(HWND)> AnswerBox(UINT type, int button);
void PostClick(HWND dialog, int id);

// Reading a dialog.
std::string ControlText(HWND dialog, int id);
std::string MessageBoxTextOf(HWND box);
bool IsControlEnabled(HWND dialog, int id);
std::string WindowCaption(HWND window);

// A visible popup of 1024 x 768 at the origin, standing in for the main window.
HWND CreateOwnerWindow();

// A top-level window of an Office application's class, for the time it
// lives, as Setup looks for open Office applications.
class OfficeWindow {
public:
    explicit OfficeWindow(const char* className);
    ~OfficeWindow();
    OfficeWindow(const OfficeWindow&) = delete;
    OfficeWindow& operator=(const OfficeWindow&) = delete;

private:
    HWND window_;
    std::string className_;
};

#endif
