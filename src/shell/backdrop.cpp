#include "shell/shell.h"

namespace {

const char TILE_BITMAP[] = "Slika";
const int TITLE_HEIGHT = 48;
const int TITLE_X = 10;
const int TITLE_Y = 20;

// An empty face name lets the font mapper pick a sans-serif face by pitch
// and family alone.
HFONT CreateTitleFont()
{
    return CreateFontA(TITLE_HEIGHT, 0, 0, 0, FW_NORMAL, TRUE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0,
                       VARIABLE_PITCH | FF_SWISS, "");
}

void DrawTiles(HWND window, HDC dc)
{
    HBITMAP tile = LoadBitmapA(AppInstance, TILE_BITMAP);
    HDC tileDc = CreateCompatibleDC(dc);
    HGDIOBJ keptBitmap = SelectObject(tileDc, tile);
    BITMAP size;
    size.bmWidth = size.bmHeight = 0;
    if (tile)
        GetObjectA(tile, sizeof size, &size);
    RECT client;
    GetClientRect(window, &client);
    TileBackdrop(dc, tileDc, size.bmWidth, size.bmHeight, client.right, client.bottom);
    SelectObject(tileDc, keptBitmap);
    DeleteDC(tileDc);
    DeleteObject(tile);
}

void DrawTitle(HDC dc)
{
    HFONT font = CreateTitleFont();
    HGDIOBJ keptFont = SelectObject(dc, font);
    int keptMode = SetBkMode(dc, TRANSPARENT);
    COLORREF keptColour = SetTextColor(dc, RGB(255, 255, 255));
    TextOutA(dc, TITLE_X, TITLE_Y, APP_TITLE, lstrlenA(APP_TITLE));
    SetBkMode(dc, keptMode);
    SetTextColor(dc, keptColour);
    SelectObject(dc, keptFont);
    DeleteObject(font);
}

}  // namespace

int TileBackdrop(HDC dc, HDC tileDc, int tileWidth, int tileHeight, int width, int height)
{
    if (tileWidth <= 0 || tileHeight <= 0)
        return 0;
    int copies = 0;
    // Column by column; edge tiles are copied whole and clipped by dc.
    for (int x = 0; x < width; x += tileWidth) {
        for (int y = 0; y < height; y += tileHeight) {
            BitBlt(dc, x, y, tileWidth, tileHeight, tileDc, 0, 0, SRCCOPY);
            copies++;
        }
    }
    return copies;
}

// The whole client area is tiled each time; dc clips to what is invalid, so
// a partial repaint lines up with a full one.
void PaintBackdrop(HWND window, HDC dc)
{
    DrawTiles(window, dc);
    DrawTitle(dc);
}
