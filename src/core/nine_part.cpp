#include "core/nine_part.h"

namespace brimel {
namespace {

// Sums and products of 32-bit inputs are formed in 64 bits and held at the
// ends of the 32-bit range, which no bitmap or window comes near.
int32_t Clamp32(int64_t value) {
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(value);
}

Blit MakeBlit(int64_t dx, int64_t dy, int64_t dw, int64_t dh, int64_t sx, int64_t sy, int64_t sw,
              int64_t sh) {
    return {Clamp32(dx), Clamp32(dy), Clamp32(dw), Clamp32(dh),
            Clamp32(sx), Clamp32(sy), Clamp32(sw), Clamp32(sh)};
}

}  // namespace

NinePartPlan PlanNinePart(const NinePartInput& in) {
    const int32_t n = in.frameCount < 1 ? 1 : in.frameCount;
    const int64_t fw = in.stripWidth / n;
    const int64_t x0 = int64_t{in.frameIndex} * fw;
    const int64_t hs = in.stripHeight;
    const int64_t W = in.targetWidth, H = in.targetHeight;
    const int64_t T = in.top, B = in.bottom, L = in.left, R = in.right;

    const int64_t midW = W - R - L, midH = H - B - T;        // stretched target
    const int64_t srcMidW = fw - R - L, srcMidH = hs - B - T;  // stretched source

    NinePartPlan plan;
    plan.frameWidth = Clamp32(fw);
    plan.frameLeft = Clamp32(x0);
    plan.corners = {{
        MakeBlit(0, 0, L, T, x0, 0, L, T),
        MakeBlit(0, H - B, L, B, x0, hs - B, L, B),
        MakeBlit(W - R, 0, R, T, x0 + fw - R, 0, R, T),
        MakeBlit(W - R, H - B, R, B, x0 + fw - R, hs - B, R, B),
    }};
    plan.stretches = {{
        MakeBlit(L, T, midW, midH, x0 + L, T, srcMidW, srcMidH),
        MakeBlit(L, 0, midW, T, x0 + L, 0, srcMidW, T),
        MakeBlit(L, H - B, midW, B, x0 + L, hs - B, srcMidW, B),
        MakeBlit(0, T, L, midH, x0, T, L, srcMidH),
        MakeBlit(W - R, T, R, midH, x0 + fw - R, T, R, srcMidH),
    }};
    return plan;
}

}  // namespace brimel
