// Start-up benchmark: how long Setup takes from process start to a visible
// Welcome page, against a program that shows one dialog and nothing else.
//   bench.exe SETUP_EXE ONE_DIALOG_EXE [RUNS]
//   bench.exe --warm-up SETUP_EXE ONE_DIALOG_EXE     one untimed run of each
#include <windows.h>
// Needs the types of windows.h before it.
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

const int DefaultRuns = 10;
const int MinimumRuns = 10;
// Far beyond any start-up seen so far: a program that never shows its page
// must fail the benchmark, not hang it.
const DWORD GiveUpMs = 60000;
// Lets Wine's server and the previous process settle between runs.
const DWORD PauseBetweenRunsMs = 200;

struct Program {
    const char* name;
    const char* path;
    std::vector<double> ms;
    std::vector<double> peakKb;
};

struct Search {
    DWORD processId;
    bool found;
};

BOOL CALLBACK FindWelcome(HWND window, LPARAM lParam)
{
    Search* search = (Search*)lParam;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window))
        return TRUE;
    char text[64];
    if (!GetClassNameA(window, text, sizeof text) || strcmp(text, "#32770") != 0)
        return TRUE;
    // Reads the stored caption without sending the window a message, so a
    // busy program cannot stall the search.
    WCHAR caption[64];
    if (!InternalGetWindowText(window, caption, 64) || lstrcmpW(caption, L"Welcome") != 0)
        return TRUE;
    search->found = true;
    return FALSE;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency)
{
    return (double)(to.QuadPart - from.QuadPart) * 1000.0 / (double)frequency.QuadPart;
}

// The program starts in its own folder, as Setup does from its distribution.
bool RunOnce(Program& program, LARGE_INTEGER frequency)
{
    char folder[MAX_PATH];
    char* fileName = NULL;
    if (!GetFullPathNameA(program.path, sizeof folder, folder, &fileName) || !fileName) {
        printf("%s: bad path %s\n", program.name, program.path);
        return false;
    }
    char fullPath[MAX_PATH];
    lstrcpyA(fullPath, folder);
    fileName[0] = '\0';
    char commandLine[MAX_PATH + 2];
    wsprintfA(commandLine, "\"%s\"", fullPath);

    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;

    LARGE_INTEGER start, now;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(fullPath, commandLine, NULL, NULL, FALSE, 0, NULL, folder, &startup,
                        &process)) {
        printf("%s: CreateProcess failed, error %lu\n", program.name, GetLastError());
        return false;
    }
    Search search = {process.dwProcessId, false};
    bool exited = false;
    for (;;) {
        EnumWindows(FindWelcome, (LPARAM)&search);
        QueryPerformanceCounter(&now);
        if (search.found)
            break;
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) {
            exited = true;
            break;
        }
        if (Milliseconds(start, now, frequency) > GiveUpMs)
            break;
        Sleep(1);
    }
    double elapsed = Milliseconds(start, now, frequency);

    PROCESS_MEMORY_COUNTERS memory;
    ZeroMemory(&memory, sizeof memory);
    memory.cb = sizeof memory;
    BOOL haveMemory = GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);

    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    if (!search.found) {
        printf("%s: no visible Welcome dialog; %s after %.0f ms\n", program.name,
               exited ? "the process ended" : "gave up", elapsed);
        return false;
    }
    if (!haveMemory) {
        printf("%s: GetProcessMemoryInfo failed, error %lu\n", program.name, GetLastError());
        return false;
    }
    program.ms.push_back(elapsed);
    program.peakKb.push_back((double)memory.PeakWorkingSetSize / 1024.0);
    return true;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

double Maximum(const std::vector<double>& values)
{
    return *std::max_element(values.begin(), values.end());
}

}  // namespace

int main(int argc, char** argv)
{
    bool warmUp = argc > 1 && strcmp(argv[1], "--warm-up") == 0;
    if (warmUp) {
        argc--;
        argv++;
    }
    if (argc < 3 || argc > 4 || (warmUp && argc != 3)) {
        printf("usage: bench [--warm-up] SETUP_EXE ONE_DIALOG_EXE [RUNS, at least %d]\n",
               MinimumRuns);
        return 2;
    }
    int runs = argc == 4 ? atoi(argv[3]) : DefaultRuns;
    if (runs < MinimumRuns) {
        printf("runs: %d is too few; using %d\n", runs, MinimumRuns);
        runs = MinimumRuns;
    }
    setvbuf(stdout, NULL, _IONBF, 0);

    Program setup = {"Setup", argv[1], {}, {}};
    Program yardstick = {"one_dialog", argv[2], {}, {}};
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);

    if (warmUp) {
        bool ok = RunOnce(setup, frequency) && RunOnce(yardstick, frequency);
        Sleep(PauseBetweenRunsMs);
        return ok ? 0 : 1;
    }

    // The two programs take turns, so that a drift in the machine's load
    // weighs on both alike.
    printf("run    Setup ms  peak KB   one_dialog ms  peak KB\n");
    for (int run = 1; run <= runs; run++) {
        if (!RunOnce(setup, frequency))
            return 1;
        Sleep(PauseBetweenRunsMs);
        if (!RunOnce(yardstick, frequency))
            return 1;
        Sleep(PauseBetweenRunsMs);
        printf("%3d  %10.1f  %7.0f   %13.1f  %7.0f\n", run, setup.ms.back(), setup.peakKb.back(),
               yardstick.ms.back(), yardstick.peakKb.back());
    }

    double setupMedian = Median(setup.ms);
    double yardstickMedian = Median(yardstick.ms);
    printf("runs: %d of each, taking turns\n", runs);
    printf("median start-up to visible Welcome: Setup %.1f ms, one_dialog %.1f ms\n", setupMedian,
           yardstickMedian);
    printf("ratio Setup/one_dialog: %.2f\n", setupMedian / yardstickMedian);
    // The fastest run is the least disturbed by other work on the machine.
    double setupFastest = *std::min_element(setup.ms.begin(), setup.ms.end());
    double yardstickFastest = *std::min_element(yardstick.ms.begin(), yardstick.ms.end());
    printf("fastest run: Setup %.1f ms, one_dialog %.1f ms, ratio %.2f\n", setupFastest,
           yardstickFastest, setupFastest / yardstickFastest);
    printf("peak working set, median over runs (max): Setup %.0f KB (%.0f), one_dialog %.0f KB"
           " (%.0f)\n",
           Median(setup.peakKb), Maximum(setup.peakKb), Median(yardstick.peakKb),
           Maximum(yardstick.peakKb));
    return 0;
}
