// Picture loading through the OLE picture service and the background painter.
#include <gtest/gtest.h>
#include <ole2.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "resource.h"
#include "support/test_support.h"
#include "ui/controls/picture.h"
#include "ui/draw/background_painter.h"
#include "support/canvas.h"

namespace brimel {
namespace {

class OleEnvironment : public testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
    void TearDown() override { OleUninitialize(); }
};
const testing::Environment* const kOle = testing::AddGlobalTestEnvironment(new OleEnvironment);

using test::Canvas;

// A test picture: a grid of 4 x 4 cells of 10 x 10 pixels, each cell its own
// colour, so that position and orientation can be read back from any pixel.
constexpr int kCell = 10, kCells = 4, kGrid = kCell * kCells;
COLORREF CellColour(int column, int row) { return RGB(30 + column * 60, 20 + row * 70, 200 - column * 20 - row * 30); }
COLORREF GridPixel(int x, int y) { return CellColour(x / kCell, y / kCell); }

// The grid as a 24-bit BMP file, with its file header.
std::vector<unsigned char> GridBmp() {
    const int stride = (kGrid * 3 + 3) & ~3;
    const uint32_t imageBytes = stride * kGrid, fileBytes = 54 + imageBytes;
    std::vector<unsigned char> b(fileBytes, 0);
    auto put32 = [&b](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, fileBytes);
    put32(10, 54);
    put32(14, 40);
    put32(18, kGrid);
    put32(22, kGrid);  // bottom-up rows
    b[26] = 1;
    b[28] = 24;
    put32(34, imageBytes);
    for (int y = 0; y < kGrid; ++y) {
        unsigned char* row = &b[54 + (kGrid - 1 - y) * stride];
        for (int x = 0; x < kGrid; ++x) {
            const COLORREF c = GridPixel(x, y);
            row[x * 3] = GetBValue(c);
            row[x * 3 + 1] = GetGValue(c);
            row[x * 3 + 2] = GetRValue(c);
        }
    }
    return b;
}

// Counts the pixels of the rectangle, a margin in from its edges, that differ
// from the expected colour function.
template <class Expected>
int Mismatches(const Canvas& c, RECT r, int margin, Expected expected) {
    int wrong = 0;
    for (int y = r.top + margin; y < r.bottom - margin; ++y)
        for (int x = r.left + margin; x < r.right - margin; ++x)
            if (c.At(x, y) != expected(x, y)) ++wrong;
    return wrong;
}

class PictureTest : public testing::Test {
protected:
    void SetUp() override {
        screen_ = GetDC(nullptr);
        if (GetDeviceCaps(screen_, LOGPIXELSX) != 96 || GetDeviceCaps(screen_, LOGPIXELSY) != 96)
            GTEST_SKIP() << "the sizes below are those of a 96-dpi screen";
    }
    void TearDown() override { ReleaseDC(nullptr, screen_); }
    HDC screen_ = nullptr;
};

TEST_F(PictureTest, LoadsBothPictureResourcesWithTheirSizesAt96Dpi) {
    const struct { UINT id; LONG width, height; } cases[] = {
        {IDP_BACKGROUND_JPEG, 300, 200},
        {IDP_TILE_BMP, 63, 61},
    };
    Picture picture;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        ASSERT_TRUE(picture.LoadFromResource(c.id, "A"));
        EXPECT_TRUE(picture.IsLoaded());
        const SIZE himetric = picture.SizeInHimetric();
        const SIZE pixels = picture.SizeInPixels(screen_);
        EXPECT_EQ(pixels.cx, MulDiv(himetric.cx, 96, 2540));
        EXPECT_EQ(pixels.cy, MulDiv(himetric.cy, 96, 2540));
        EXPECT_EQ(pixels.cx, c.width);
        EXPECT_EQ(pixels.cy, c.height);
    }
}

TEST_F(PictureTest, FailedLoadsLeaveNoPictureEvenWhenOneWasHeld) {
    test::TempFolder folder("picture-failures");
    const String garbage = folder / "garbage.jpg";
    const String empty = folder / "empty.bmp";
    std::vector<unsigned char> cut = GridBmp();
    cut.resize(cut.size() / 3);  // the pixel rows end early
    ASSERT_TRUE(test::WriteBytes(garbage, std::vector<unsigned char>(500, 0x5A)));
    ASSERT_TRUE(test::WriteBytes(empty, {}));

    const std::function<bool(Picture&)> failures[] = {
        [](Picture& p) { return p.LoadFromResource(999, "A"); },
        [](Picture& p) { return p.LoadFromResource(IDP_BACKGROUND_JPEG, "B"); },
        [](Picture& p) { return p.LoadFromResource(0, "A"); },
        [&](Picture& p) { return p.LoadFromFile((folder / "missing.jpg").c_str()); },
        [&](Picture& p) { return p.LoadFromFile(garbage.c_str()); },
        [&](Picture& p) { return p.LoadFromFile(empty.c_str()); },
        [&](Picture& p) { return p.LoadFromFile(folder.Path().c_str()); },  // a folder
        [](Picture& p) { return p.LoadFromMemory("BM", 2); },
    };
    int index = 0;
    for (const auto& fail : failures) {
        SCOPED_TRACE(index++);
        Picture picture;
        ASSERT_TRUE(picture.LoadFromResource(IDP_TILE_BMP, "A"));
        EXPECT_FALSE(fail(picture));
        EXPECT_FALSE(picture.IsLoaded());
        const SIZE none = picture.SizeInPixels(screen_);
        EXPECT_EQ(none.cx, 0);
        EXPECT_EQ(none.cy, 0);
        Canvas target(8, 8, RGB(1, 2, 3));
        EXPECT_FALSE(picture.DrawAt(target.dc(), 0, 0));
        EXPECT_FALSE(picture.DrawPart(target.dc(), RECT{0, 0, 4, 4}, RECT{0, 0, 8, 8}));
        EXPECT_EQ(target.At(0, 0), RGB(1, 2, 3));
    }
}

TEST_F(PictureTest, LoadsFromAFileAndDrawsUprightAtItsNaturalSize) {
    test::TempFolder folder("picture-file");
    const String path = folder / "grid.bmp";
    ASSERT_TRUE(test::WriteBytes(path, GridBmp()));
    Picture picture;
    ASSERT_TRUE(picture.LoadFromFile(path.c_str()));
    const SIZE pixels = picture.SizeInPixels(screen_);
    EXPECT_EQ(pixels.cx, kGrid);
    EXPECT_EQ(pixels.cy, kGrid);

    const COLORREF back = RGB(7, 7, 7);
    Canvas target(60, 60, back);
    ASSERT_TRUE(picture.DrawAt(target.dc(), 5, 8));
    const RECT drawn = {5, 8, 5 + kGrid, 8 + kGrid};
    EXPECT_EQ(Mismatches(target, drawn, 0, [](int x, int y) { return GridPixel(x - 5, y - 8); }), 0);
    EXPECT_EQ(target.At(4, 8), back);
    EXPECT_EQ(target.At(5, 7), back);
    EXPECT_EQ(target.At(5 + kGrid, 8 + kGrid), back);
}

TEST_F(PictureTest, DrawPartMapsTheSourceRectangleUpright) {
    Picture picture;
    const std::vector<unsigned char> bmp = GridBmp();
    ASSERT_TRUE(picture.LoadFromMemory(bmp.data(), bmp.size()));
    // The whole picture stretched to twice its size.
    {
        Canvas target(2 * kGrid, 2 * kGrid, RGB(0, 0, 0));
        ASSERT_TRUE(picture.DrawPart(target.dc(), RECT{0, 0, kGrid, kGrid}, RECT{0, 0, 2 * kGrid, 2 * kGrid}));
        EXPECT_EQ(Mismatches(target, RECT{0, 0, 2 * kGrid, 2 * kGrid}, 0,
                             [](int x, int y) { return GridPixel(x / 2, y / 2); }),
                  0);
    }
    // Single cells, from the top row, the bottom row and in between, each
    // stretched over a 24 x 24 square: every pixel but the edge ones is the
    // cell's colour (the source position is rounded in HIMETRIC units).
    const struct { int column, row; } cells[] = {{0, 0}, {3, 3}, {1, 2}, {2, 0}, {0, 3}};
    for (const auto& cell : cells) {
        SCOPED_TRACE(testing::Message() << "cell " << cell.column << "," << cell.row);
        Canvas target(30, 30, RGB(0, 0, 0));
        const RECT source = {cell.column * kCell, cell.row * kCell, (cell.column + 1) * kCell,
                             (cell.row + 1) * kCell};
        ASSERT_TRUE(picture.DrawPart(target.dc(), source, RECT{3, 3, 27, 27}));
        const COLORREF colour = CellColour(cell.column, cell.row);
        EXPECT_EQ(Mismatches(target, RECT{3, 3, 27, 27}, 3, [colour](int, int) { return colour; }), 0);
        EXPECT_EQ(target.At(1, 1), RGB(0, 0, 0));
    }
}

class PainterTest : public PictureTest {
protected:
    void SetUp() override {
        PictureTest::SetUp();
        if (IsSkipped()) return;
        ASSERT_TRUE(test::WriteBytes(gridPath_, GridBmp()));
    }
    test::TempFolder folder_{"painter"};
    const String gridPath_ = folder_ / "grid.bmp";
};

TEST_F(PainterTest, PictureNamesSelectResourcesByNumberAndFilesOtherwise) {
    const struct { String name; bool loaded; LONG width, height; } cases[] = {
        {"601", true, 300, 200},
        {" 604 ", true, 63, 61},
        {"600", false, 0, 0},
        {"604.bmp", false, 0, 0},  // not digits only: a file, and there is none
        {gridPath_, true, kGrid, kGrid},
        {"  601\t", true, 300, 200},
    };
    BackgroundPainter painter;
    for (const auto& c : cases) {
        SCOPED_TRACE("[" + c.name + "]");
        painter.SetPicture(c.name, true, RECT{0, 0, 0, 0}, false);
        EXPECT_EQ(painter.BackgroundPicture().IsLoaded(), c.loaded);
        const SIZE size = painter.BackgroundPicture().SizeInPixels(screen_);
        EXPECT_EQ(size.cx, c.width);
        EXPECT_EQ(size.cy, c.height);
    }
    painter.ClearPicture();
    EXPECT_FALSE(painter.BackgroundPicture().IsLoaded());
}

TEST_F(PainterTest, PaintWithoutAPictureReportsNothingPaintedAndDrawsNothing) {
    BackgroundPainter painter;
    Canvas target(20, 20, RGB(9, 9, 9));
    EXPECT_FALSE(painter.Paint(target.dc(), 0, 0, 20, 20));
    painter.SetPicture("600", true, RECT{0, 0, 0, 0}, false);
    EXPECT_FALSE(painter.Paint(target.dc(), 0, 0, 20, 20));
    EXPECT_EQ(Mismatches(target, RECT{0, 0, 20, 20}, 0, [](int, int) { return RGB(9, 9, 9); }), 0);
}

TEST_F(PainterTest, WholePictureTilesOverlapByOnePixelOverTheWholeArea) {
    BackgroundPainter painter;
    painter.SetPicture(gridPath_, true, RECT{0, 0, 0, 0}, false);
    Canvas target(100, 90, RGB(0, 0, 0));
    ASSERT_TRUE(painter.Paint(target.dc(), 0, 0, 100, 90));
    // Each tile starts one pixel before the previous one ended.
    const int period = kGrid - 1;
    EXPECT_EQ(Mismatches(target, RECT{0, 0, 100, 90}, 0,
                         [](int x, int y) { return GridPixel(x % period, y % period); }),
              0);
}

TEST_F(PainterTest, SourceRectangleIsTiledOrStretched) {
    // Tiled: the two cells of the top-left 20 x 10 repeat every 19 x 9 pixels.
    {
        BackgroundPainter painter;
        painter.SetPicture(gridPath_, false, RECT{0, 0, 20, 10}, false);
        Canvas target(80, 40, RGB(0, 0, 0));
        ASSERT_TRUE(painter.Paint(target.dc(), 0, 0, 80, 40));
        EXPECT_FALSE(painter.TilesWholePicture());
        // Away from the seams the source is drawn one to one.
        int wrong = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 80; ++x) {
                const int tx = x % 19, ty = y % 9;
                if (tx < 2 || tx > 17 || ty < 2 || ty > 7 || (tx >= 8 && tx <= 11)) continue;
                if (target.At(x, y) != GridPixel(tx, ty)) ++wrong;
            }
        EXPECT_EQ(wrong, 0);
    }
    // Stretched: cell (2, 1) over the whole area.
    {
        BackgroundPainter painter;
        painter.SetPicture(gridPath_, false, RECT{20, 10, 30, 20}, true);
        Canvas target(50, 30, RGB(0, 0, 0));
        ASSERT_TRUE(painter.Paint(target.dc(), 0, 0, 50, 30));
        const COLORREF colour = CellColour(2, 1);
        EXPECT_EQ(Mismatches(target, RECT{0, 0, 50, 30}, 3, [colour](int, int) { return colour; }), 0);
    }
}

TEST_F(PainterTest, SourceLargerThanThePictureSwitchesToWholeTilesForGood) {
    BackgroundPainter painter;
    painter.SetPicture(gridPath_, false, RECT{0, 0, kGrid + 1, 10}, true);
    EXPECT_FALSE(painter.TilesWholePicture());
    const int period = kGrid - 1;
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        Canvas target(90, 50, RGB(0, 0, 0));
        ASSERT_TRUE(painter.Paint(target.dc(), 0, 0, 90, 50));
        EXPECT_TRUE(painter.TilesWholePicture());
        EXPECT_EQ(Mismatches(target, RECT{0, 0, 90, 50}, 0,
                             [period](int x, int y) { return GridPixel(x % period, y % period); }),
                  0);
    }
}

TEST_F(PainterTest, ColourBrushIsRemadeOnEveryChangeAndNoneWithoutColour) {
    BackgroundPainter painter;
    EXPECT_EQ(painter.BackgroundColor(), kNoColor);
    EXPECT_EQ(painter.BackgroundBrush(), nullptr);
    painter.SetColor(RGB(255, 255, 255));
    HBRUSH first = painter.BackgroundBrush();
    ASSERT_NE(first, nullptr);
    LOGBRUSH info = {};
    ASSERT_EQ(GetObjectA(first, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(info.lbColor, RGB(255, 255, 255));
    painter.SetColor(RGB(12, 34, 56));
    ASSERT_NE(painter.BackgroundBrush(), nullptr);
    ASSERT_EQ(GetObjectA(painter.BackgroundBrush(), sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.lbColor, RGB(12, 34, 56));
    painter.SetColor(kNoColor);
    EXPECT_EQ(painter.BackgroundColor(), kNoColor);
    EXPECT_EQ(painter.BackgroundBrush(), nullptr);
}

}  // namespace
}  // namespace brimel
