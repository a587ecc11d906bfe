#include "core/welcome_layout.h"

#include <gtest/gtest.h>

#include <string>

namespace brimel {
namespace {

TEST(WelcomeLayout, EveryRectangleFromClientSizeOwnSizesAndDpi) {
    // The picture's bitmap is 273 x 171 at every DPI; the button's and the
    // box's own sizes grow with the template's font.
    const struct {
        int32_t dpi, w, h, bw, bh, xw, xh;
        Placement license, picture, button, box;
    } rows[] = {
        {96, 742, 536, 150, 23, 303, 16, {20, 100, 702, 256}, {466, 362, 273, 171}, {300, 436, 150, 23}, {140, 396, 303, 16}},
        {96, 692, 466, 150, 23, 303, 16, {20, 100, 652, 186}, {416, 292, 273, 171}, {300, 366, 150, 23}, {140, 326, 303, 16}},
        {96, 1600, 1100, 150, 23, 303, 16, {20, 100, 1560, 820}, {1324, 926, 273, 171}, {300, 1000, 150, 23}, {140, 960, 303, 16}},
        {120, 930, 680, 200, 29, 404, 20, {25, 125, 880, 330}, {653, 505, 273, 171}, {375, 555, 200, 29}, {175, 505, 404, 20}},
        {120, 867, 592, 200, 29, 404, 20, {25, 125, 817, 242}, {590, 417, 273, 171}, {375, 467, 200, 29}, {175, 417, 404, 20}},
        {144, 1109, 816, 250, 35, 505, 25, {30, 150, 1049, 396}, {831, 640, 273, 171}, {450, 666, 250, 35}, {210, 606, 505, 25}},
        {144, 1034, 711, 250, 35, 505, 25, {30, 150, 974, 291}, {756, 535, 273, 171}, {450, 561, 250, 35}, {210, 501, 505, 25}},
        {144, 2000, 1400, 250, 35, 505, 25, {30, 150, 1940, 980}, {1722, 1224, 273, 171}, {450, 1250, 250, 35}, {210, 1190, 505, 25}},
        // No DPI from the system: the layout as designed for 96.
        {0, 742, 536, 150, 23, 303, 16, {20, 100, 702, 256}, {466, 362, 273, 171}, {300, 436, 150, 23}, {140, 396, 303, 16}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.dpi) + " DPI, client " + std::to_string(row.w) + "x" + std::to_string(row.h));
        WelcomeLayoutInput in;
        in.clientWidth = row.w;
        in.clientHeight = row.h;
        in.pictureWidth = 273;
        in.pictureHeight = 171;
        in.buttonWidth = row.bw;
        in.buttonHeight = row.bh;
        in.boxWidth = row.xw;
        in.boxHeight = row.xh;
        in.dpi = row.dpi;
        const WelcomeLayout out = LayOutWelcome(in);
        EXPECT_EQ(out[WelcomeControl::License], row.license);
        EXPECT_EQ(out[WelcomeControl::Picture], row.picture);
        EXPECT_EQ(out[WelcomeControl::Button], row.button);
        EXPECT_EQ(out[WelcomeControl::Box], row.box);
    }
}

TEST(WelcomeLayout, WindowSizesScaleAsTheTemplateDoes) {
    const struct {
        int32_t dpi;
        Point initial, minimum;
    } rows[] = {
        {96, {750, 570}, {700, 500}},
        {120, {938, 713}, {875, 625}},
        {144, {1125, 855}, {1050, 750}},
        {192, {1500, 1140}, {1400, 1000}},
        {0, {750, 570}, {700, 500}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.dpi);
        EXPECT_EQ(WelcomeInitialSize(row.dpi), row.initial);
        EXPECT_EQ(WelcomeMinimumSize(row.dpi), row.minimum);
    }
}

TEST(WelcomeLayout, ScalingRoundsHalfAwayFromZeroAsMulDivDoes) {
    const struct {
        int32_t value, dpi, scaled;
    } rows[] = {
        {3, 120, 4}, {3, 144, 5}, {570, 120, 713}, {1, 72, 1}, {1, 48, 1}, {1, 47, 0},
        {-3, 120, -4}, {-1, 48, -1}, {30, 96, 30}, {0, 144, 0}, {90, -5, 90}, {90, 9600, 9000}, {90, 9601, 90},
        {200000, 9600, 20000000}, {-200000, 9600, -20000000},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.value) + " at " + std::to_string(row.dpi));
        EXPECT_EQ(ScaleForDpi(row.value, row.dpi), row.scaled);
    }
}

}  // namespace
}  // namespace brimel
