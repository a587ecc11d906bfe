// A 32-bit top-down DIB section selected into a memory DC, with its pixels
// at hand: what the drawing tests draw into and read back.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/gdi.h"

namespace brimel::test {

class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = RGB(0, 0, 0));
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    int width() const { return width_; }
    int height() const { return height_; }
    COLORREF At(int x, int y) const;
    void Set(int x, int y, COLORREF colour);
    // Every pixel, row by row.
    std::vector<COLORREF> Pixels() const;

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
    DWORD* bits_;
};

// Every pixel of a bitmap as COLORREF values, row by row from the top, with
// its size when asked for.
std::vector<COLORREF> ReadBitmap(HBITMAP bitmap, int* width = nullptr, int* height = nullptr);

// The region of the pixels of `dc`'s clip box that are not `key`, read one by
// one: what the shipped whole-bitmap reading is measured against.
Region RegionFromKeyColor(HDC dc, COLORREF key);

}  // namespace brimel::test
