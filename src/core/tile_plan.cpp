#include "core/tile_plan.h"

#include <cstdint>

namespace brimel {

Array<int32_t> TileAxis(int32_t area, int32_t step) {
    Array<int32_t> origins;
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
                 const Function<void(int32_t x, int32_t y)>& visit) {
    const Array<int32_t> xs = TileAxis(areaWidth, stepX);
    const Array<int32_t> ys = TileAxis(areaHeight, stepY);
    for (int32_t y : ys) {
        for (int32_t x : xs) visit(x, y);
    }
}

}  // namespace brimel
