// Page gallery: shows every wizard page over the backdrop, as the user sees
// it, and saves each page, cropped to its window, and the whole backdrop as
// .bmp files in the given folder.  Given a Setup.exe, it draws the templates
// and the backdrop bitmap of that file, so that the pictures show the bytes
// that ship rather than those of this build.
//   gallery.exe OUTPUT_FOLDER [SETUP_EXE]
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>

#include "pages/pages.h"
#include "setup/setup.h"
#include "shell/shell.h"

namespace {

struct GalleryPage {
    int BaseId;
    const char* Name;
    DLGPROC Procedure;
};

const GalleryPage PAGES[] = {
    {IDD_WELCOME, "welcome", PageProc},
    {IDD_SETUP_LANGUAGE, "setup-language", PageProc},
    {IDD_OPTIONS, "options", PageProc},
    {IDD_SELECT_TOOLS, "select-tools", SelectToolsProc},
    {IDD_DEFAULT_LANGUAGE, "default-language", DefaultLanguageProc},
    {IDD_DESTINATION, "destination", PageProc},
    {IDD_PROGRESS, "progress", PageProc},
    {IDD_APPS_DETECTED, "apps-detected", PageProc},
};

// Wine paints through X events that arrive after the calls return, so a
// page counts as drawn only once the queue has stayed empty for a while.
void Settle()
{
    for (int round = 0; round < 8; round++) {
        MSG message;
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(50);
    }
}

// A machine with Word and the rest of Office 97 and both components
// registered, so that every control a page can enable is enabled.
void FillState()
{
    SetupState.WordInstalled = 1;
    SetupState.ExcelInstalled = 1;
    SetupState.PowerPointInstalled = 1;
    SetupState.AccessInstalled = 1;
    SetupState.OutlookInstalled = 1;
    SetupState.SpellerRegistered = 1;
    SetupState.HyphenatorRegistered = 1;
    SetupState.InstallSpeller = 1;
    SetupState.InstallHyphenator = 1;
    lstrcpyA(SetupState.SourceDir, "C:\\Velmora\\");
    lstrcpyA(SetupState.DestDir, "C:\\Program Files\\Common Files\\Microsoft Shared\\Proof");
}

// Saves the part of the screen under the rectangle.
bool SaveScreen(const std::string& path, const RECT& area)
{
    int width = area.right - area.left;
    int height = area.bottom - area.top;
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;  // bottom-up, as every reader expects
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    int stride = (width * 3 + 3) & ~3;
    header.biSizeImage = (DWORD)(stride * height);

    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = NULL;
    HBITMAP bitmap = CreateDIBSection(screen, (BITMAPINFO*)&header, DIB_RGB_COLORS, &bits, NULL, 0);
    if (!bitmap || !bits) {
        DeleteDC(memory);
        ReleaseDC(NULL, screen);
        return false;
    }
    HGDIOBJ kept = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY | CAPTUREBLT);
    GdiFlush();

    BITMAPFILEHEADER fileHeader = {};
    fileHeader.bfType = 0x4D42;  // "BM"
    fileHeader.bfOffBits = sizeof fileHeader + sizeof header;
    fileHeader.bfSize = fileHeader.bfOffBits + header.biSizeImage;
    bool written = false;
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        written = std::fwrite(&fileHeader, sizeof fileHeader, 1, file) == 1 &&
                  std::fwrite(&header, sizeof header, 1, file) == 1 &&
                  std::fwrite(bits, header.biSizeImage, 1, file) == 1;
        written = std::fclose(file) == 0 && written;
    }
    SelectObject(memory, kept);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return written;
}

// The progress page halfway, copying the payload file with the widest name:
// the one most likely not to fit its line.
HWND OpenProgressMidway()
{
    HWND page = OpenProgressPage(MainWindow);
    if (!page)
        return NULL;
    std::string file = std::string(SetupState.DestDir) + "\\MSHYCR32.DLL";
    SetDlgItemTextA(page, IDC_CURRENT_FILE, file.c_str());
    SendDlgItemMessageA(page, IDC_PROGRESS, PBM_STEPIT, 0, 0);
    SendDlgItemMessageA(page, IDC_PROGRESS, PBM_STEPIT, 0, 0);
    return page;
}

// The page's window with the frame and caption Wine draws, or the whole
// screen for the backdrop.
bool Capture(const std::string& folder, const std::string& name, HWND window)
{
    // Drawn active, with the caption colours the user sees on the current
    // page, even where no window manager hands this process the focus.
    if (window) {
        SetForegroundWindow(window);
        SendMessageA(window, WM_NCACTIVATE, TRUE, 0);
    }
    Settle();
    RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (window)
        GetWindowRect(window, &area);
    std::string path = folder + "\\" + name + ".bmp";
    bool saved = SaveScreen(path, area);
    std::printf("%s %s\n", saved ? "saved" : "FAILED to save", path.c_str());
    return saved;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: gallery OUTPUT_FOLDER [SETUP_EXE]\n");
        return 2;
    }
    std::string folder = argv[1];
    CreateDirectoryA(folder.c_str(), NULL);

    // Anything but 1250 shows the Serbian pages with the wrong letters.
    std::printf("ANSI code page %u\n", GetACP());
    InitCommonControls();
    FillState();
    HINSTANCE instance = GetModuleHandleA(NULL);
    if (!RegisterMainClass(instance) || !CreateMainWindow(instance, SW_SHOWMAXIMIZED)) {
        std::fprintf(stderr, "gallery: the main window could not be created\n");
        return 1;
    }
    if (argc == 3) {
        // Read as data, never run: the pages and backdrop take their
        // templates and bitmap from it through AppInstance.
        HMODULE shipped = LoadLibraryExA(argv[2], NULL, LOAD_LIBRARY_AS_DATAFILE);
        if (!shipped) {
            std::fprintf(stderr, "gallery: cannot read %s, error %lu\n", argv[2], GetLastError());
            return 1;
        }
        AppInstance = shipped;
        std::printf("resources from %s\n", argv[2]);
        InvalidateRect(MainWindow, NULL, TRUE);
    }
    int failures = Capture(folder, "backdrop", NULL) ? 0 : 1;

    const struct {
        int Offset;
        const char* Suffix;
    } languages[] = {{0, "en"}, {LANGUAGE_OFFSET_SERBIAN, "sr"}};
    for (const auto& language : languages) {
        SetupState.LanguageOffset = language.Offset;
        for (const GalleryPage& entry : PAGES) {
            int id = entry.BaseId + language.Offset;
            HWND page = entry.BaseId == IDD_PROGRESS
                            ? OpenProgressMidway()
                            : OpenModelessPage(entry.BaseId, entry.Procedure, MainWindow);
            char name[64];
            wsprintfA(name, "%d-%s-%s", id, entry.Name, language.Suffix);
            if (!page) {
                std::printf("FAILED to open page %d\n", id);
                failures++;
                continue;
            }
            if (!Capture(folder, name, page))
                failures++;
            DestroyWindow(page);
            Settle();
        }
    }
    DestroyWindow(MainWindow);
    Settle();
    return failures ? 1 : 0;
}
