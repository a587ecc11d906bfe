#include "core/tile_plan.h"

#include <cstdint>

namespace brimel {

std::vector<int32_t> TileAxis(int32_t area, int32_t step) {
    std::vector<int32_t> origins;
    if (step < 1) {
        origins.push_back(0);
        return origins;
    }
    const int64_t advance = step > 1 ? int64_t{step} - 1 : 1;
    // 64-bit so that area + step cannot overflow; origins that no 32-bit
    // coordinate can express are left out.
    const int64_t end = int64_t{area} + step;
    for (int64_t pos = 0; pos < end && pos <= INT32_MAX; pos += advance) {
        origins.push_back(static_cast<int32_t>(pos));
    }
    return origins;
}

void ForEachTile(int32_t areaWidth, int32_t areaHeight, int32_t stepX, int32_t stepY,
                 const std::function<void(int32_t x, int32_t y)>& visit) {
    const std::vector<int32_t> xs = TileAxis(areaWidth, stepX);
    const std::vector<int32_t> ys = TileAxis(areaHeight, stepY);
    for (int32_t y : ys) {
        for (int32_t x : xs) visit(x, y);
    }
}

std::vector<Point> TilePlan(int32_t areaWidth, int32_t areaHeight, int32_t stepX,
                            int32_t stepY) {
    std::vector<Point> tiles;
    ForEachTile(areaWidth, areaHeight, stepX, stepY,
                [&tiles](int32_t x, int32_t y) { tiles.push_back(Point{x, y}); });
    return tiles;
}

}  // namespace brimel
