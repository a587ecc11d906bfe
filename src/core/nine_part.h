// The nine copies that scale one frame of a horizontal strip of skin frames:
// four corners copied unscaled, then the centre and the four edges stretched.
#pragma once

#include <array>
#include <cstdint>

namespace brimel {

struct NinePartInput {
    int32_t stripWidth = 0;   // Ws
    int32_t stripHeight = 0;  // Hs; every frame has the full strip height
    int32_t frameIndex = 0;
    int32_t frameCount = 1;
    // Margins kept unscaled: top and bottom are heights, left and right widths.
    int32_t top = 0, bottom = 0, left = 0, right = 0;
    int32_t targetWidth = 0, targetHeight = 0;
};

// One copy: destination x, y, width, height <- source x, y, width, height.
// For a corner the source size equals the destination size (BitBlt).
struct Blit {
    int32_t dx, dy, dw, dh;
    int32_t sx, sy, sw, sh;
};

inline bool operator==(const Blit& a, const Blit& b) {
    return a.dx == b.dx && a.dy == b.dy && a.dw == b.dw && a.dh == b.dh &&
           a.sx == b.sx && a.sy == b.sy && a.sw == b.sw && a.sh == b.sh;
}

struct NinePartPlan {
    int32_t frameWidth;  // fw = Ws / n
    int32_t frameLeft;   // x0 = i * fw
    // Top-left, bottom-left, top-right, bottom-right, in this order.  A failed
    // corner copy ends the drawing, so the order matters.
    std::array<Blit, 4> corners;
    // Centre, top edge, bottom edge, left edge, right edge, in this order.
    std::array<Blit, 5> stretches;
};

// Coordinates are passed through unclamped: when the target is smaller than
// the margins the stretch sizes come out zero or negative, and the corners
// overlap, exactly as the drawing has always done it.  A frame count below 1
// is treated as 1 (the whole strip is the frame) instead of dividing by zero.
// Only a coordinate beyond the 32-bit range is held at that range's end.
NinePartPlan PlanNinePart(const NinePartInput& in);

}  // namespace brimel
