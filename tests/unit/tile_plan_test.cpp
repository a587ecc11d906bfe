#include "core/tile_plan.h"
#include "core/geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace brimel {
namespace {

TEST(TilePlan, AxisOriginsOverlapByOnePixelAndRunOneStepPastTheEdge) {
    const struct { int32_t area, step; Array<int32_t> origins; } cases[] = {
        {600, 300, {0, 299, 598, 897}},
        {299, 300, {0, 299, 598}},
        {300, 300, {0, 299, 598}},
        {200, 200, {0, 199, 398}},
        {0, 300, {0, 299}},
        {1, 2, {0, 1, 2}},
        {-10, 300, {0}},
        {-400, 300, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("area " + std::to_string(c.area) + " step " + std::to_string(c.step));
        EXPECT_EQ(TileAxis(c.area, c.step), c.origins);
    }
}

TEST(TilePlan, AxisLoopInvariantsHoldForManySizes) {
    for (int32_t step = 2; step <= 12; ++step) {
        for (int32_t area = 0; area <= 40; ++area) {
            SCOPED_TRACE("area " + std::to_string(area) + " step " + std::to_string(step));
            const Array<int32_t> o = TileAxis(area, step);
            ASSERT_FALSE(o.empty());
            EXPECT_EQ(o.front(), 0);
            for (size_t i = 1; i < o.size(); ++i) ASSERT_EQ(o[i] - o[i - 1], step - 1);
            // The last origin still passes the loop test, the next would not.
            EXPECT_LT(o.back(), area + step);
            EXPECT_GE(o.back() + step - 1, area + step);
            // So the tiles, step pixels wide, cover the area and beyond.
            EXPECT_GE(o.back() + step, area);
        }
    }
}

TEST(TilePlan, StepsTooSmallToAdvanceAreGuarded) {
    const struct { int32_t area, step; Array<int32_t> origins; } cases[] = {
        // A one-pixel source is laid at every pixel (and one past the edge).
        {5, 1, {0, 1, 2, 3, 4, 5}},
        {0, 1, {0}},
        // An empty or inverted source has nothing to repeat: one tile.
        {5, 0, {0}},
        {5, -3, {0}},
        {0, 0, {0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("area " + std::to_string(c.area) + " step " + std::to_string(c.step));
        EXPECT_EQ(TileAxis(c.area, c.step), c.origins);
    }
}

TEST(TilePlan, HugeValuesDoNotOverflow) {
    EXPECT_EQ(TileAxis(INT32_MAX - 10, INT32_MAX), (Array<int32_t>{0, INT32_MAX - 1}));
    // The loop bound lies past the 32-bit range; origins stop where
    // coordinates end.
    EXPECT_EQ(TileAxis(INT32_MAX, INT32_MAX), (Array<int32_t>{0, INT32_MAX - 1}));
}

TEST(TilePlan, TilesAreVisitedRowByRow) {
    const Array<Point> expected = {
        {0, 0}, {299, 0}, {598, 0},
        {0, 199}, {299, 199}, {598, 199},
        {0, 398}, {299, 398}, {598, 398},
    };
    Array<Point> visited;
    ForEachTile(400, 250, 300, 200, [&](int32_t x, int32_t y) { visited.push_back({x, y}); });
    EXPECT_EQ(visited, expected);
}

TEST(TilePlan, TilesCoverTheAreaWithOnePixelSeams) {
    // Lay 63 x 61 tiles over a small dialog and count how often each pixel is
    // painted: every pixel at least once, and twice exactly on the seams.
    const int32_t w = 200, h = 130, sx = 63, sy = 61;
    std::vector<int> cover(static_cast<size_t>(w * h), 0);
    ForEachTile(w, h, sx, sy, [&](int32_t x0, int32_t y0) {
        for (int32_t y = y0; y < y0 + sy && y < h; ++y) {
            for (int32_t x = x0; x < x0 + sx && x < w; ++x) ++cover[static_cast<size_t>(y * w + x)];
        }
    });
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            const bool seamX = x > 0 && x % (sx - 1) == 0;
            const bool seamY = y > 0 && y % (sy - 1) == 0;
            const int expected = (seamX ? 2 : 1) * (seamY ? 2 : 1);
            ASSERT_EQ(cover[static_cast<size_t>(y * w + x)], expected) << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace brimel
