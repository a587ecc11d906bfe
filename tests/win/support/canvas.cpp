#include "support/canvas.h"

#include "framework/bitmap_helpers.h"

namespace brimel::test {

Canvas::Canvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<DWORD*>(bits);
    previous_ = SelectObject(dc_, bitmap_);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) Set(x, y, fill);
}

Canvas::~Canvas() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

COLORREF Canvas::At(int x, int y) const {
    GdiFlush();
    const DWORD p = bits_[y * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void Canvas::Set(int x, int y, COLORREF colour) {
    GdiFlush();
    bits_[y * width_ + x] = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

std::vector<COLORREF> Canvas::Pixels() const {
    std::vector<COLORREF> all;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) all.push_back(At(x, y));
    return all;
}

std::vector<COLORREF> ReadBitmap(HBITMAP bitmap, int* width, int* height) {
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    BITMAPINFO request = {};
    request.bmiHeader.biSize = sizeof request.bmiHeader;
    request.bmiHeader.biWidth = info.bmWidth;
    request.bmiHeader.biHeight = -info.bmHeight;
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    request.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> raw(static_cast<size_t>(info.bmWidth) * info.bmHeight);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, info.bmHeight, raw.data(), &request, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    std::vector<COLORREF> pixels;
    for (DWORD p : raw) pixels.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    if (width) *width = info.bmWidth;
    if (height) *height = info.bmHeight;
    return pixels;
}

Region RegionFromKeyColor(HDC dc, COLORREF key) {
    RECT clip = {0, 0, 0, 0};
    GetClipBox(dc, &clip);
    return RegionFromKeyPixels(clip.right - clip.left, clip.bottom - clip.top,
                               [dc, key](int32_t x, int32_t y) { return GetPixel(dc, x, y) == key; });
}

}  // namespace brimel::test
