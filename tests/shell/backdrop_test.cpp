#include "shell/shell.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class Backdrop : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppInstance = GetModuleHandleA(NULL);
        screen_ = GetDC(NULL);
        target_ = CreateCompatibleDC(screen_);
        surface_ = CreateCompatibleBitmap(screen_, 1024, 768);
        keptSurface_ = SelectObject(target_, surface_);
    }
    void TearDown() override
    {
        SelectObject(target_, keptSurface_);
        DeleteObject(surface_);
        DeleteDC(target_);
        ReleaseDC(NULL, screen_);
    }

    HDC screen_, target_;
    HBITMAP surface_;
    HGDIOBJ keptSurface_;
};

TEST_F(Backdrop, A1024By768AreaTakes25ColumnsOf14Tiles)
{
    HDC tile = CreateCompatibleDC(screen_);
    EXPECT_EQ(350, TileBackdrop(target_, tile, 41, 59, 1024, 768));
    DeleteDC(tile);
}

TEST_F(Backdrop, AnEmptyAreaOrAnEmptyTileGetsNoCopies)
{
    HDC tile = CreateCompatibleDC(screen_);
    EXPECT_EQ(0, TileBackdrop(target_, tile, 41, 59, 0, 0));
    EXPECT_EQ(0, TileBackdrop(target_, tile, 41, 59, 1024, 0));
    EXPECT_EQ(0, TileBackdrop(target_, tile, 0, 59, 1024, 768));
    EXPECT_EQ(0, TileBackdrop(target_, tile, 41, 0, 1024, 768));
    DeleteDC(tile);
}

TEST_F(Backdrop, TheTileIsTheProgramsOwnSixteenColourBitmap)
{
    HBITMAP tile = LoadBitmapA(AppInstance, "Slika");
    ASSERT_TRUE(tile != NULL);
    BITMAP size = {};
    GetObjectA(tile, sizeof size, &size);
    EXPECT_EQ(41, size.bmWidth);
    EXPECT_EQ(59, size.bmHeight);
    DeleteObject(tile);
}

TEST_F(Backdrop, PaintingCoversTheAreaInBlueAndLeavesTheContextAsItWas)
{
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 200, NULL, NULL,
                                  GetModuleHandleA(NULL), NULL);
    HGDIOBJ font = GetStockObject(SYSTEM_FIXED_FONT);
    SelectObject(target_, font);
    SetBkMode(target_, OPAQUE);
    SetTextColor(target_, RGB(1, 2, 3));
    SetPixel(target_, 299, 199, RGB(255, 0, 0));

    PaintBackdrop(window, target_);

    EXPECT_EQ(OPAQUE, GetBkMode(target_));
    EXPECT_EQ(RGB(1, 2, 3), GetTextColor(target_));
    EXPECT_EQ(font, GetCurrentObject(target_, OBJ_FONT));
    for (POINT at : {POINT{0, 0}, POINT{299, 199}, POINT{150, 5}}) {
        COLORREF colour = GetPixel(target_, at.x, at.y);
        EXPECT_TRUE(GetBValue(colour) >= 191 && GetRValue(colour) == 0)
            << "pixel " << at.x << "," << at.y << " is " << std::hex << colour;
    }
    DestroyWindow(window);
}

// Measured on black, with no tile drawn: the title's white reaches as far
// as its last letter does in the same font, italic overhang aside.
TEST_F(Backdrop, TheTitleIsDrawnWhole)
{
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, NULL, NULL,
                                  GetModuleHandleA(NULL), NULL);
    RECT area = {0, 0, 1024, 768};
    FillRect(target_, &area, (HBRUSH)GetStockObject(BLACK_BRUSH));
    PaintBackdrop(window, target_);
    HFONT font = CreateFontA(48, 0, 0, 0, FW_NORMAL, TRUE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0,
                             VARIABLE_PITCH | FF_SWISS, "");
    HGDIOBJ kept = SelectObject(target_, font);
    SIZE title;
    GetTextExtentPoint32A(target_, APP_TITLE, lstrlenA(APP_TITLE), &title);
    SelectObject(target_, kept);
    DeleteObject(font);
    int left = 1024, right = -1;
    for (int y = 0; y < 100; y++) {
        for (int x = 0; x < 1024; x++) {
            if (GetPixel(target_, x, y) == RGB(255, 255, 255)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    EXPECT_NEAR(10, left, 8);
    EXPECT_NEAR(10 + title.cx, right + 1, 4) << "title " << title.cx << " wide";
    DestroyWindow(window);
}

}  // namespace
