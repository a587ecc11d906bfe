#include "core/welcome_layout.h"

#include <gtest/gtest.h>

namespace brimel {
namespace {

TEST(WelcomeLayout, EveryPlaceFromClientSizeOwnSizesAndDpi) {
    // The picture's bitmap is 273 x 171 at every DPI; the button and the
    // box grow with the template's font. No DPI (0) lays out as 96.
    const struct {
        int32_t dpi, w, h, bw, bh, xw, xh;
        Placement license, picture, button, box;
    } rows[] = {
        {96, 742, 536, 150, 23, 303, 16, {20, 100, 702, 256}, {466, 362, 273, 171}, {300, 436, 150, 23}, {140, 396, 303, 16}},
        {96, 692, 466, 150, 23, 303, 16, {20, 100, 652, 186}, {416, 292, 273, 171}, {300, 366, 150, 23}, {140, 326, 303, 16}},
        {0, 1600, 1100, 150, 23, 303, 16, {20, 100, 1560, 820}, {1324, 926, 273, 171}, {300, 1000, 150, 23}, {140, 960, 303, 16}},
        {120, 867, 592, 200, 29, 404, 20, {25, 125, 817, 242}, {590, 417, 273, 171}, {375, 467, 200, 29}, {175, 417, 404, 20}},
        {144, 1034, 711, 250, 35, 505, 25, {30, 150, 974, 291}, {756, 535, 273, 171}, {450, 561, 250, 35}, {210, 501, 505, 25}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.dpi << " DPI, client " << row.w << "x" << row.h);
        const WelcomeLayout out = LayOutWelcome({row.w, row.h, 273, 171, row.bw, row.bh, row.xw, row.xh, row.dpi});
        EXPECT_EQ(out[WelcomeControl::License], row.license);
        EXPECT_EQ(out[WelcomeControl::Picture], row.picture);
        EXPECT_EQ(out[WelcomeControl::Button], row.button);
        EXPECT_EQ(out[WelcomeControl::Box], row.box);
    }
}

TEST(WelcomeLayout, WindowSizesScaleAsMulDivRoundsThem) {
    // A DPI no screen gives keeps the sizes designed for 96.
    const struct { int32_t dpi; Point initial, least; } sizes[] = {
        {96, {750, 570}, {700, 500}}, {120, {938, 713}, {875, 625}}, {144, {1125, 855}, {1050, 750}},
        {0, {750, 570}, {700, 500}}, {9601, {750, 570}, {700, 500}}, {9600, {75000, 57000}, {70000, 50000}}};
    for (const auto& row : sizes) {
        EXPECT_EQ(WelcomeInitialSize(row.dpi), row.initial) << row.dpi;
        EXPECT_EQ(WelcomeMinimumSize(row.dpi), row.least) << row.dpi;
    }
}

}  // namespace
}  // namespace brimel
