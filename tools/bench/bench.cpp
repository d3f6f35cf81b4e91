// Start-up benchmark: how long Setup takes from process start to a visible
// Welcome page, against yardsticks that show the same one dialog.
//   bench.exe RUNS SETUP_EXE YARDSTICK_EXE...
//   bench.exe --warm-up SETUP_EXE YARDSTICK_EXE...   one untimed run of each
#include <windows.h>
// Needs the types of windows.h before it.
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

const int MinimumRuns = 10;
const int MaximumPrograms = 6;
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

// The program's file name without its folder and extension.
const char* ShortName(const char* path)
{
    static char names[MaximumPrograms][MAX_PATH];
    static int used = 0;
    const char* start = path;
    for (const char* p = path; *p; p++)
        if (*p == '\\' || *p == '/')
            start = p + 1;
    char* name = names[used++];
    lstrcpynA(name, start, MAX_PATH);
    if (char* dot = strrchr(name, '.'))
        *dot = '\0';
    return name;
}

}  // namespace

int main(int argc, char** argv)
{
    bool warmUp = argc > 1 && strcmp(argv[1], "--warm-up") == 0;
    int runs = warmUp ? 1 : (argc > 1 ? atoi(argv[1]) : 0);
    int count = argc - 2;
    if (argc < 4 || count > MaximumPrograms || runs < 1) {
        printf("usage: bench RUNS|--warm-up SETUP_EXE YARDSTICK_EXE... (at most %d programs)\n",
               MaximumPrograms);
        return 2;
    }
    if (!warmUp && runs < MinimumRuns) {
        printf("runs: %d is too few; using %d\n", runs, MinimumRuns);
        runs = MinimumRuns;
    }
    setvbuf(stdout, NULL, _IONBF, 0);

    std::vector<Program> programs;
    for (int i = 0; i < count; i++)
        programs.push_back({ShortName(argv[i + 2]), argv[i + 2], {}, {}});
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);

    if (warmUp) {
        for (Program& program : programs) {
            if (!RunOnce(program, frequency))
                return 1;
            Sleep(PauseBetweenRunsMs);
        }
        return 0;
    }

    // The programs take turns, each run starting with the next one, so that
    // a drift in the machine's load, or the order, weighs on all alike.
    printf("run");
    for (const Program& program : programs)
        printf("  %14s ms  peak KB", program.name);
    printf("\n");
    for (int run = 1; run <= runs; run++) {
        for (int turn = 0; turn < count; turn++) {
            if (!RunOnce(programs[(run + turn) % count], frequency))
                return 1;
            Sleep(PauseBetweenRunsMs);
        }
        printf("%3d", run);
        for (const Program& program : programs)
            printf("  %17.1f  %7.0f", program.ms.back(), program.peakKb.back());
        printf("\n");
    }

    const Program& setup = programs[0];
    printf("runs: %d of each, taking turns\n", runs);
    printf("median start-up to visible Welcome, ms:");
    for (const Program& program : programs)
        printf(" %s %.1f", program.name, Median(program.ms));
    printf("\n");
    // The fastest run is the least disturbed by other work on the machine.
    printf("fastest run, ms:");
    for (const Program& program : programs)
        printf(" %s %.1f", program.name, *std::min_element(program.ms.begin(), program.ms.end()));
    printf("\n");
    printf("peak working set, median over runs (max), KB:");
    for (const Program& program : programs)
        printf(" %s %.0f (%.0f)", program.name, Median(program.peakKb), Maximum(program.peakKb));
    printf("\n");
    for (size_t i = 1; i < programs.size(); i++) {
        const Program& yardstick = programs[i];
        printf("Setup against %s: median ratio %.2f, fastest-run ratio %.2f, peak working set"
               " %+.0f KB\n",
               yardstick.name, Median(setup.ms) / Median(yardstick.ms),
               *std::min_element(setup.ms.begin(), setup.ms.end()) /
                   *std::min_element(yardstick.ms.begin(), yardstick.ms.end()),
               Median(setup.peakKb) - Median(yardstick.peakKb));
    }
    return 0;
}
