// Stand-ins for the Windows functions that the code under test imports:
// where Wine cannot show what Windows would (a path past MAX_PATH, a call
// that Windows 95 refuses), a test puts its own function in the import's
// slot for a while.
#ifndef VELMORA_TESTS_STAND_IN_H
#define VELMORA_TESTS_STAND_IN_H

#include <windows.h>

#include <string>

#ifdef _WIN64
#define IMPORTED(name, bytes) "__imp_" #name
#else
#define IMPORTED(name, bytes) "__imp__" #name "@" #bytes
#endif

// An import's slot holds the stand-in for the life of the object, even
// when the test ends early.
template <typename Function>
class StandIn {
public:
    StandIn(Function& slot, Function standIn) : slot_(slot), kept_(slot) { slot_ = standIn; }
    ~StandIn() { slot_ = kept_; }
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;

private:
    Function& slot_;
    Function kept_;
};

extern "C" decltype(&CreateFileA) importedCreateFile asm(IMPORTED(CreateFileA, 28));
extern decltype(&CreateFileA) realCreateFile;
// The path that OpenAsWindows95 opens for nothing at all, as a share that
// refuses it would.
extern std::string unopenable;
// Windows 95 opens no file for no access; and unopenable opens for nothing.
HANDLE WINAPI OpenAsWindows95(LPCSTR path, DWORD access, DWORD share,
                              LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
                              HANDLE model);

#endif
