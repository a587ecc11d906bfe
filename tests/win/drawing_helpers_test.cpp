// Key-colour regions, keyed drawing and nine-part scaling with real GDI.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <set>
#include <vector>

#include "framework/bitmap_helpers.h"
#include "resource.h"
#include "support/canvas.h"

namespace brimel {
namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

using test::Canvas;

using test::ReadBitmap;
using test::RegionFromKeyColor;

// Deterministic pseudo-random colours.
struct Noise {
    uint32_t state;
    uint32_t Next() {
        state = state * 1103515245u + 12345u;
        return state >> 8;
    }
    COLORREF Colour() { return Next() & 0xFFFFFF; }
};

// Fills the canvas: key where the pattern says so, other colours elsewhere
// (never the key, and some only one bit away from it).
void Paint(Canvas& c, const std::function<bool(int, int)>& isKey, uint32_t seed) {
    Noise noise{seed};
    const COLORREF nearKey[] = {RGB(254, 0, 255), RGB(255, 1, 255), RGB(255, 0, 254)};
    for (int y = 0; y < c.height(); ++y) {
        for (int x = 0; x < c.width(); ++x) {
            COLORREF colour = (noise.Next() % 5 == 0) ? nearKey[noise.Next() % 3] : noise.Colour();
            if (colour == kMagenta) colour = RGB(0, 0, 0);
            c.Set(x, y, isKey(x, y) ? kMagenta : colour);
        }
    }
}

struct Pattern {
    const char* name;
    int width, height;
    std::function<bool(int, int)> isKey;
};

std::vector<Pattern> Patterns() {
    return {
        {"no key pixel", 17, 5, [](int, int) { return false; }},
        {"only key pixels", 9, 4, [](int, int) { return true; }},
        {"one key pixel splits a row", 10, 3, [](int x, int y) { return x == 4 && y == 1; }},
        {"runs end at the right edge", 12, 6, [](int x, int) { return x < 3; }},
        {"one-pixel row", 31, 1, [](int x, int) { return x % 3 == 1; }},
        {"one-pixel column", 1, 23, [](int, int y) { return y % 4 == 0; }},
        {"rounded corners", 54, 23,
         [](int x, int y) { return (x + y < 4) || (53 - x + y < 4) || (x + 22 - y < 3) || (53 - x + 22 - y < 3); }},
        // 60 runs a row over 50 rows: one full batch of 2000 and one of 1000.
        {"more than one batch", 120, 50, [](int x, int) { return x % 2 == 1; }},
        {"scattered", 64, 40, [](int x, int y) { return ((x * 7 + y * 13) % 11) < 4; }},
    };
}

TEST(KeyColorRegion, ContainsExactlyTheNonKeyPixelsOfEveryPattern) {
    uint32_t seed = 1;
    for (const Pattern& p : Patterns()) {
        SCOPED_TRACE(p.name);
        Canvas image(p.width, p.height);
        Paint(image, p.isKey, seed++);
        HRGN region = RegionFromKeyColor(image.dc(), kMagenta).Release();
        ASSERT_NE(region, nullptr);
        int wrong = 0;
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x)
                if ((PtInRegion(region, x, y) != FALSE) == p.isKey(x, y)) ++wrong;
        EXPECT_EQ(wrong, 0);
        // Nothing outside the image either.
        RECT box;
        const int kind = GetRgnBox(region, &box);
        if (kind != NULLREGION) {
            EXPECT_GE(box.left, 0);
            EXPECT_GE(box.top, 0);
            EXPECT_LE(box.right, p.width);
            EXPECT_LE(box.bottom, p.height);
        }
        DeleteObject(region);
    }
}

TEST(KeyColorRegion, AllKeyImageGivesAnEmptyRegionNotNone) {
    Canvas image(8, 8, kMagenta);
    HRGN region = RegionFromKeyColor(image.dc(), kMagenta).Release();
    ASSERT_NE(region, nullptr);
    RECT box;
    EXPECT_EQ(GetRgnBox(region, &box), NULLREGION);
    DeleteObject(region);
}

TEST(KeyColorRegion, WholeBitmapReadGivesTheSameRegionAsPixelByPixel) {
    uint32_t seed = 100;
    for (const Pattern& p : Patterns()) {
        SCOPED_TRACE(p.name);
        Canvas image(p.width, p.height);
        Paint(image, p.isKey, seed++);
        HRGN slow = RegionFromKeyColor(image.dc(), kMagenta).Release();
        // A screen-compatible copy, as the button's state images are, read
        // while it is selected nowhere.
        HDC screen = GetDC(nullptr);
        HBITMAP copy = CreateCompatibleBitmap(screen, p.width, p.height);
        ReleaseDC(nullptr, screen);
        {
            HDC dc = CreateCompatibleDC(image.dc());
            HGDIOBJ old = SelectObject(dc, copy);
            BitBlt(dc, 0, 0, p.width, p.height, image.dc(), 0, 0, SRCCOPY);
            SelectObject(dc, old);
            DeleteDC(dc);
        }
        HRGN fast = RegionFromKeyBitmap(copy, kMagenta).Release();
        ASSERT_NE(slow, nullptr);
        ASSERT_NE(fast, nullptr);
        EXPECT_TRUE(EqualRgn(slow, fast));
        // And from the monochrome mask, the way the button builds it.
        HBITMAP mask = MakeKeyMask(image.dc(), p.width, p.height, kMagenta).Release();
        HRGN fromMask = RegionFromKeyBitmap(mask, RGB(255, 255, 255)).Release();
        ASSERT_NE(fromMask, nullptr);
        EXPECT_TRUE(EqualRgn(slow, fromMask));
        DeleteObject(fromMask);
        DeleteObject(mask);
        DeleteObject(fast);
        DeleteObject(slow);
        DeleteObject(copy);
    }
}

TEST(KeyedDrawing, MaskIsWhiteExactlyUnderKeyPixels) {
    Canvas image(40, 12);
    auto isKey = [](int x, int y) { return (x * 3 + y) % 7 < 2; };
    Paint(image, isKey, 7);
    SetBkColor(image.dc(), RGB(1, 2, 3));
    HBITMAP mask = MakeKeyMask(image.dc(), 40, 12, kMagenta).Release();
    ASSERT_NE(mask, nullptr);
    BITMAP info = {};
    GetObjectA(mask, sizeof info, &info);
    EXPECT_EQ(info.bmPlanes, 1);
    EXPECT_EQ(info.bmBitsPixel, 1);
    EXPECT_EQ(GetBkColor(image.dc()), kMagenta);  // left set to the key
    const std::vector<COLORREF> pixels = ReadBitmap(mask);
    int wrong = 0;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 40; ++x)
            if (pixels[y * 40 + x] != (isKey(x, y) ? RGB(255, 255, 255) : RGB(0, 0, 0))) ++wrong;
    EXPECT_EQ(wrong, 0);
    DeleteObject(mask);
}

TEST(KeyedDrawing, KeepsTargetUnderKeyPixelsCopiesTheRestAndRestoresColours) {
    const int w = 50, h = 20;
    auto isKey = [](int x, int y) { return x < 6 || (x + y) % 5 == 0; };
    Canvas image(w, h);
    Paint(image, isKey, 11);
    Canvas target(w + 5, h + 5);
    Paint(target, [](int, int) { return false; }, 12);
    // A target pixel that happens to be magenta stays magenta too.
    target.Set(0, 0, kMagenta);
    std::vector<COLORREF> before;
    for (int y = 0; y < target.height(); ++y)
        for (int x = 0; x < target.width(); ++x) before.push_back(target.At(x, y));

    SetBkColor(target.dc(), RGB(10, 20, 30));
    SetTextColor(target.dc(), RGB(40, 50, 60));
    HBITMAP mask = MakeKeyMask(image.dc(), w, h, kMagenta).Release();
    HDC maskDc = CreateCompatibleDC(target.dc());
    HGDIOBJ old = SelectObject(maskDc, mask);
    DrawThroughMask(target.dc(), image.dc(), maskDc, w, h);
    SelectObject(maskDc, old);
    DeleteDC(maskDc);
    DeleteObject(mask);

    EXPECT_EQ(GetBkColor(target.dc()), RGB(10, 20, 30));
    EXPECT_EQ(GetTextColor(target.dc()), RGB(40, 50, 60));
    int wrong = 0;
    for (int y = 0; y < target.height(); ++y) {
        for (int x = 0; x < target.width(); ++x) {
            const bool inside = x < w && y < h;
            const COLORREF expected =
                inside && !isKey(x, y) ? image.At(x, y) : before[y * target.width() + x];
            if (target.At(x, y) != expected && ++wrong < 5)
                ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << target.At(x, y)
                              << " not " << expected;
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST(KeyedDrawing, DrawKeyedImageLeavesTheTargetAsItCame) {
    const int w = 30, h = 9;
    auto isKey = [](int x, int y) { return x + y < 3 || x > 27; };
    Canvas image(w, h);
    Paint(image, isKey, 21);
    HDC screen = GetDC(nullptr);
    HBITMAP ddb = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, ddb);
        BitBlt(dc, 0, 0, w, h, image.dc(), 0, 0, SRCCOPY);
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    HRGN region = nullptr;
    {
        Canvas target(w, h, RGB(0, 128, 0));
        HDC dc = target.dc();
        HFONT font = static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
        SelectObject(dc, font);
        SetBkColor(dc, RGB(1, 1, 1));
        SetTextColor(dc, RGB(2, 2, 2));
        SetBkMode(dc, OPAQUE);
        HGDIOBJ bitmapBefore = GetCurrentObject(dc, OBJ_BITMAP);
        HGDIOBJ brushBefore = GetCurrentObject(dc, OBJ_BRUSH);
        HGDIOBJ penBefore = GetCurrentObject(dc, OBJ_PEN);
        region = DrawKeyedImage(dc, ddb, w, h, kMagenta).Release();
        ASSERT_NE(region, nullptr);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), bitmapBefore);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brushBefore);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), penBefore);
        EXPECT_EQ(GetBkColor(dc), RGB(1, 1, 1));
        EXPECT_EQ(GetTextColor(dc), RGB(2, 2, 2));
        EXPECT_EQ(GetBkMode(dc), OPAQUE);
        // The image is selected nowhere afterwards: it can be selected again.
        HDC probe = CreateCompatibleDC(nullptr);
        EXPECT_NE(SelectObject(probe, ddb), nullptr);
        DeleteDC(probe);
        EXPECT_EQ(target.At(0, 0), RGB(0, 128, 0));
        EXPECT_EQ(target.At(29, 4), RGB(0, 128, 0));
        EXPECT_EQ(target.At(10, 4), image.At(10, 4));
    }
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_TRUE(PtInRegion(region, 10, 4));
    DeleteObject(region);
    DeleteObject(ddb);
}

class NinePart : public testing::Test {
protected:
    void SetUp() override {
        strip_ = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_BUTTON_FACES));
        ASSERT_NE(strip_, nullptr);
        pixels_ = ReadBitmap(strip_, &stripWidth_, &stripHeight_);
        ASSERT_EQ(stripWidth_, 270);
        ASSERT_EQ(stripHeight_, 23);
        screen_ = GetDC(nullptr);
    }
    void TearDown() override {
        if (screen_) ReleaseDC(nullptr, screen_);
        if (strip_) DeleteObject(strip_);
    }
    COLORREF Strip(int x, int y) const { return pixels_[y * stripWidth_ + x]; }

    HBITMAP strip_ = nullptr;
    HDC screen_ = nullptr;
    std::vector<COLORREF> pixels_;
    int stripWidth_ = 0, stripHeight_ = 0;
};

TEST_F(NinePart, FrameSizedTargetReproducesEachFrame) {
    for (int frame = 0; frame < 5; ++frame) {
        SCOPED_TRACE(frame);
        Bitmap result;
        ASSERT_TRUE(StretchNinePart(screen_, strip_, frame, 5, 15, 6, 15, 8, 54, 23, result));
        int w = 0, h = 0;
        const std::vector<COLORREF> out = ReadBitmap(result.Get(), &w, &h);
        ASSERT_EQ(w, 54);
        ASSERT_EQ(h, 23);
        int wrong = 0;
        for (int y = 0; y < 23; ++y)
            for (int x = 0; x < 54; ++x)
                if (out[y * 54 + x] != Strip(frame * 54 + x, y)) ++wrong;
        EXPECT_EQ(wrong, 0);
    }
}

TEST_F(NinePart, EnlargingKeepsCornersExactAndMagentaExactlyMagenta) {
    const int W = 150, H = 40, T = 15, B = 6, L = 15, R = 8, x0 = 3 * 54;
    Bitmap result;
    ASSERT_TRUE(StretchNinePart(screen_, strip_, 3, 5, T, B, L, R, W, H, result));
    const std::vector<COLORREF> out = ReadBitmap(result.Get());
    std::set<COLORREF> frameColours;
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 54; ++x) frameColours.insert(Strip(x0 + x, y));
    int cornerWrong = 0, foreign = 0, magenta = 0;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            const COLORREF c = out[y * W + x];
            if (c == kMagenta) ++magenta;
            if (!frameColours.count(c)) ++foreign;  // no blended colour anywhere
            const bool left = x < L, right = x >= W - R, upper = y < T, lower = y >= H - B;
            if ((left || right) && (upper || lower)) {
                const int sx = left ? x0 + x : x0 + 54 - R + (x - (W - R));
                const int sy = upper ? y : 23 - B + (y - (H - B));
                if (c != Strip(sx, sy)) ++cornerWrong;
            }
        }
    }
    EXPECT_EQ(cornerWrong, 0);
    EXPECT_EQ(foreign, 0);
    EXPECT_GT(magenta, 0);
    // The rounded top-left and bottom-right corners stay key-coloured.
    EXPECT_EQ(out[0], kMagenta);
    EXPECT_EQ(out[(H - 1) * W + W - 1], kMagenta);
}

TEST_F(NinePart, TargetNarrowerThanTheMarginsIsNotMirroredOverTheCorners) {
    // 12 pixels is less than left 15 + right 8: the middle parts have no
    // room; the last corner drawn, the right one with its key-coloured
    // rounding, must stay as it is.
    const int W = 12, H = 23, R = 8;
    Bitmap result;
    ASSERT_TRUE(StretchNinePart(screen_, strip_, 0, 5, 15, 6, 15, R, W, H, result));
    const std::vector<COLORREF> out = ReadBitmap(result.Get());
    int wrong = 0;
    for (int y = 0; y < H; ++y)
        for (int x = W - R; x < W; ++x)
            if (out[y * W + x] != Strip(54 - R + (x - (W - R)), y)) ++wrong;
    EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace brimel
