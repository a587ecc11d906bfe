// The nine copies that scale a skin frame, for any strip, frame, margins and
// target the drawing code could be handed.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>

#include "core/nine_part.h"
#include "fuzz_check.h"

namespace {

using namespace brimel;

int64_t Area(const Blit& b) { return int64_t{b.dw} * b.dh; }

bool Inside(int32_t x, int32_t w, int32_t from, int32_t to) {
    return w >= 0 && x >= from && int64_t{x} + w <= to;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    NinePartInput p;
    p.stripWidth = in.ConsumeIntegral<int32_t>();
    p.stripHeight = in.ConsumeIntegral<int32_t>();
    p.frameIndex = in.ConsumeIntegral<int32_t>();
    p.frameCount = in.ConsumeIntegral<int32_t>();
    p.top = in.ConsumeIntegral<int32_t>();
    p.bottom = in.ConsumeIntegral<int32_t>();
    p.left = in.ConsumeIntegral<int32_t>();
    p.right = in.ConsumeIntegral<int32_t>();
    p.targetWidth = in.ConsumeIntegral<int32_t>();
    p.targetHeight = in.ConsumeIntegral<int32_t>();
    const NinePartPlan plan = PlanNinePart(p);

    const int32_t n = p.frameCount < 1 ? 1 : p.frameCount;
    FUZZ_CHECK(plan.frameWidth == p.stripWidth / n);
    // Corners are copied unscaled.
    for (const Blit& b : plan.corners) FUZZ_CHECK(b.dw == b.sw && b.dh == b.sh);

    // A real frame of a real strip, margins that fit both the frame and the
    // target: every copy stays inside the target and inside its frame, and
    // the nine parts cover the target exactly once.
    const int32_t fw = plan.frameWidth, W = p.targetWidth, H = p.targetHeight;
    const bool fits = p.stripWidth >= 0 && p.stripHeight >= 0 && p.frameIndex >= 0 &&
                      p.frameIndex < n && W >= 0 && H >= 0 && p.top >= 0 && p.bottom >= 0 &&
                      p.left >= 0 && p.right >= 0 && int64_t{p.left} + p.right <= fw &&
                      int64_t{p.left} + p.right <= W &&
                      int64_t{p.top} + p.bottom <= p.stripHeight &&
                      int64_t{p.top} + p.bottom <= H;
    if (!fits) return 0;
    FUZZ_CHECK(plan.frameLeft == p.frameIndex * fw);
    int64_t covered = 0;
    auto check = [&](const Blit& b) {
        FUZZ_CHECK(Inside(b.dx, b.dw, 0, W) && Inside(b.dy, b.dh, 0, H));
        FUZZ_CHECK(Inside(b.sx, b.sw, plan.frameLeft, plan.frameLeft + fw));
        FUZZ_CHECK(Inside(b.sy, b.sh, 0, p.stripHeight));
        covered += Area(b);
    };
    for (const Blit& b : plan.corners) check(b);
    for (const Blit& b : plan.stretches) check(b);
    FUZZ_CHECK(covered == int64_t{W} * H);
    return 0;
}
