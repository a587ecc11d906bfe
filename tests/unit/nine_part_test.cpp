#include "core/nine_part.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brimel {
namespace {

// The button skin: a 270 x 23 strip of five frames, margins 15, 6, 15, 8.
NinePartInput ButtonSkin(int32_t frame, int32_t w, int32_t h) {
    NinePartInput in;
    in.stripWidth = 270;
    in.stripHeight = 23;
    in.frameIndex = frame;
    in.frameCount = 5;
    in.top = 15;
    in.bottom = 6;
    in.left = 15;
    in.right = 8;
    in.targetWidth = w;
    in.targetHeight = h;
    return in;
}

std::vector<Blit> AllBlits(const NinePartPlan& p) {
    std::vector<Blit> all(p.corners.begin(), p.corners.end());
    all.insert(all.end(), p.stretches.begin(), p.stretches.end());
    return all;
}

std::string Show(const Blit& b) {
    return std::to_string(b.dx) + "," + std::to_string(b.dy) + " " + std::to_string(b.dw) + "x" +
           std::to_string(b.dh) + " <- " + std::to_string(b.sx) + "," + std::to_string(b.sy) + " " +
           std::to_string(b.sw) + "x" + std::to_string(b.sh);
}

// How many blits paint each target pixel.
std::vector<int> Coverage(const NinePartPlan& p, int32_t w, int32_t h) {
    std::vector<int> cover(static_cast<size_t>(w * h), 0);
    for (const Blit& b : AllBlits(p)) {
        for (int32_t y = b.dy; y < b.dy + b.dh; ++y) {
            for (int32_t x = b.dx; x < b.dx + b.dw; ++x) {
                if (x >= 0 && x < w && y >= 0 && y < h) ++cover[static_cast<size_t>(y * w + x)];
            }
        }
    }
    return cover;
}

TEST(NinePart, FrameSizedTargetReproducesEachFrame) {
    for (int32_t frame = 0; frame < 5; ++frame) {
        SCOPED_TRACE(frame);
        const NinePartPlan p = PlanNinePart(ButtonSkin(frame, 54, 23));
        EXPECT_EQ(p.frameWidth, 54);
        EXPECT_EQ(p.frameLeft, frame * 54);
        for (const Blit& b : AllBlits(p)) {
            SCOPED_TRACE(Show(b));
            EXPECT_EQ(b.sw, b.dw);
            EXPECT_EQ(b.sh, b.dh);
            EXPECT_EQ(b.sx, b.dx + p.frameLeft);
            EXPECT_EQ(b.sy, b.dy);
        }
        for (int c : Coverage(p, 54, 23)) ASSERT_EQ(c, 1);
    }
}

TEST(NinePart, FrameThreeOfTheButtonStripForAWiderTallerButton) {
    const NinePartPlan p = PlanNinePart(ButtonSkin(3, 150, 30));
    EXPECT_EQ(p.frameLeft, 162);
    const Blit expected[] = {
        // Corners: top-left, bottom-left, top-right, bottom-right.
        {0, 0, 15, 15, 162, 0, 15, 15},
        {0, 24, 15, 6, 162, 17, 15, 6},
        {142, 0, 8, 15, 208, 0, 8, 15},
        {142, 24, 8, 6, 208, 17, 8, 6},
        // Stretches: centre, top, bottom, left, right.
        {15, 15, 127, 9, 177, 15, 31, 2},
        {15, 0, 127, 15, 177, 0, 31, 15},
        {15, 24, 127, 6, 177, 17, 31, 6},
        {0, 15, 15, 9, 162, 15, 15, 2},
        {142, 15, 8, 9, 208, 15, 8, 2},
    };
    const std::vector<Blit> actual = AllBlits(p);
    ASSERT_EQ(actual.size(), 9u);
    for (size_t i = 0; i < actual.size(); ++i) {
        EXPECT_EQ(actual[i], expected[i]) << "blit " << i << ": " << Show(actual[i]);
    }
}

TEST(NinePart, TargetsAtLeastAsLargeAsTheMarginsArePaintedExactlyOnce) {
    const struct { int32_t w, h; } targets[] = {
        {54, 23}, {150, 30}, {23, 21}, {24, 22}, {400, 23}, {54, 100},
    };
    for (const auto& t : targets) {
        SCOPED_TRACE(std::to_string(t.w) + "x" + std::to_string(t.h));
        const NinePartPlan p = PlanNinePart(ButtonSkin(2, t.w, t.h));
        const std::vector<int> cover = Coverage(p, t.w, t.h);
        for (size_t i = 0; i < cover.size(); ++i) ASSERT_EQ(cover[i], 1) << "pixel " << i;
    }
}

TEST(NinePart, SourcesStayInsideTheirFrame) {
    const NinePartInput inputs[] = {
        ButtonSkin(0, 150, 30), ButtonSkin(4, 150, 30), ButtonSkin(3, 10, 10),
        // A strip whose width is not a multiple of the frame count: the last
        // pixel column belongs to no frame.
        [] { NinePartInput in = ButtonSkin(4, 80, 23); in.stripWidth = 274; return in; }(),
    };
    for (const NinePartInput& in : inputs) {
        const NinePartPlan p = PlanNinePart(in);
        const int32_t x0 = p.frameLeft, x1 = p.frameLeft + p.frameWidth;
        for (const Blit& b : AllBlits(p)) {
            SCOPED_TRACE(Show(b));
            EXPECT_GE(b.sx, x0);
            EXPECT_LE(b.sx + b.sw, x1);
            EXPECT_GE(b.sy, 0);
            EXPECT_LE(b.sy + b.sh, in.stripHeight);
        }
    }
}

TEST(NinePart, FrameWidthIsTheStripWidthDividedDownByTheCount) {
    const struct { int32_t stripWidth, count, frame, frameWidth, frameLeft; } cases[] = {
        {270, 5, 3, 54, 162},
        {274, 5, 4, 54, 216},
        {270, 1, 0, 270, 0},
        {270, 0, 0, 270, 0},   // no frame count: the whole strip is the frame
        {270, -2, 0, 270, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.stripWidth) + "/" + std::to_string(c.count));
        NinePartInput in = ButtonSkin(c.frame, 60, 23);
        in.stripWidth = c.stripWidth;
        in.frameCount = c.count;
        const NinePartPlan p = PlanNinePart(in);
        EXPECT_EQ(p.frameWidth, c.frameWidth);
        EXPECT_EQ(p.frameLeft, c.frameLeft);
        EXPECT_EQ(p.corners[2].sx, c.frameLeft + c.frameWidth - 8) << "right corner source";
    }
}

TEST(NinePart, TargetSmallerThanTheMarginsKeepsTheCornerAnchors) {
    // Corners stay anchored to their own edges and overlap; the stretch sizes
    // go negative and are passed on unchanged.
    const NinePartPlan p = PlanNinePart(ButtonSkin(0, 10, 12));
    EXPECT_EQ(p.corners[0], (Blit{0, 0, 15, 15, 0, 0, 15, 15}));
    EXPECT_EQ(p.corners[1], (Blit{0, 6, 15, 6, 0, 17, 15, 6}));
    EXPECT_EQ(p.corners[2], (Blit{2, 0, 8, 15, 46, 0, 8, 15}));
    EXPECT_EQ(p.corners[3], (Blit{2, 6, 8, 6, 46, 17, 8, 6}));
    EXPECT_EQ(p.stretches[0].dw, -13);
    EXPECT_EQ(p.stretches[0].dh, -9);
    EXPECT_EQ(p.stretches[0].sw, 31);
    EXPECT_EQ(p.stretches[0].sh, 2);
}

TEST(NinePart, CoordinatesBeyondThe32BitRangeAreHeldAtItsEnds) {
    // Found by fuzzing: a frame number or margins far outside any bitmap
    // made the products and differences overflow.
    NinePartInput in;
    in.stripWidth = INT32_MIN;
    in.frameIndex = INT32_MIN;  // frame left = 2^62
    in.stripHeight = 10;
    in.targetWidth = INT32_MIN;
    in.right = INT32_MAX;  // W - R below the range
    in.targetHeight = INT32_MAX;
    in.bottom = INT32_MIN;  // H - B above the range
    const NinePartPlan plan = PlanNinePart(in);
    EXPECT_EQ(plan.frameWidth, INT32_MIN);
    EXPECT_EQ(plan.frameLeft, INT32_MAX);
    const struct { const char* name; int32_t value, expected; } table[] = {
        {"bottom-left target y (H - B)", plan.corners[1].dy, INT32_MAX},
        {"top-right target x (W - R)", plan.corners[2].dx, INT32_MIN},
        {"top-right source x (x0 + fw - R)", plan.corners[2].sx, INT32_MAX},
        {"centre width (W - R - L)", plan.stretches[0].dw, INT32_MIN},
        {"centre height (H - B - T)", plan.stretches[0].dh, INT32_MAX},
        {"centre source width (fw - R - L)", plan.stretches[0].sw, INT32_MIN},
        {"left edge source height (hs - B - T)", plan.stretches[3].sh, INT32_MAX},
    };
    for (const auto& row : table) EXPECT_EQ(row.value, row.expected) << row.name;
}

}  // namespace
}  // namespace brimel
