#include "core/nine_part.h"

namespace brimel {

NinePartPlan PlanNinePart(const NinePartInput& in) {
    const int32_t n = in.frameCount < 1 ? 1 : in.frameCount;
    const int32_t fw = in.stripWidth / n;
    const int32_t x0 = in.frameIndex * fw;
    const int32_t hs = in.stripHeight;
    const int32_t W = in.targetWidth, H = in.targetHeight;
    const int32_t T = in.top, B = in.bottom, L = in.left, R = in.right;

    const int32_t midW = W - R - L, midH = H - B - T;        // stretched target
    const int32_t srcMidW = fw - R - L, srcMidH = hs - B - T;  // stretched source

    NinePartPlan plan;
    plan.frameWidth = fw;
    plan.frameLeft = x0;
    plan.corners = {{
        {0, 0, L, T, x0, 0, L, T},
        {0, H - B, L, B, x0, hs - B, L, B},
        {W - R, 0, R, T, x0 + fw - R, 0, R, T},
        {W - R, H - B, R, B, x0 + fw - R, hs - B, R, B},
    }};
    plan.stretches = {{
        {L, T, midW, midH, x0 + L, T, srcMidW, srcMidH},
        {L, 0, midW, T, x0 + L, 0, srcMidW, T},
        {L, H - B, midW, B, x0 + L, hs - B, srcMidW, B},
        {0, T, L, midH, x0, T, L, srcMidH},
        {W - R, T, R, midH, x0 + fw - R, T, R, srcMidH},
    }};
    return plan;
}

}  // namespace brimel
