// The process entry point.  Setup carries no C runtime: this is the whole of
// what a runtime start-up would do for it.
#include "shell/shell.h"

namespace {

// The command line behind the program name, which may be quoted.
LPSTR SkipProgramName(LPSTR commandLine)
{
    char* p = commandLine;
    if (*p == '"') {
        for (p++; *p && *p != '"'; p = CharNextA(p)) {
        }
        if (*p == '"')
            p++;
    } else {
        while (*p && *p != ' ' && *p != '\t')
            p = CharNextA(p);
    }
    while (*p == ' ' || *p == '\t')
        p++;
    return p;
}

int StartupShowCommand()
{
    STARTUPINFOA startup;
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
}

}  // namespace

// i386 Windows enters with a 4-byte aligned stack.
extern "C" __attribute__((force_align_arg_pointer)) void SetupStartup()
{
    int exitCode = WinMain(GetModuleHandleA(NULL), NULL, SkipProgramName(GetCommandLineA()),
                           StartupShowCommand());
    ExitProcess(exitCode);
}

// The compiler may turn structure copies and clears into calls to these.
extern "C" void* memset(void* destination, int value, size_t count)
{
    volatile unsigned char* d = static_cast<unsigned char*>(destination);
    while (count--)
        *d++ = (unsigned char)value;
    return destination;
}

extern "C" void* memcpy(void* destination, const void* source, size_t count)
{
    volatile unsigned char* d = static_cast<unsigned char*>(destination);
    const unsigned char* s = static_cast<const unsigned char*>(source);
    while (count--)
        *d++ = *s++;
    return destination;
}
