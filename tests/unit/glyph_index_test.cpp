#include "core/glyph_index.h"

#include <gtest/gtest.h>

namespace brimel {
namespace {

TEST(GlyphIndex, EveryStateCombinationPicksItsGlyph) {
    const struct { bool pressed, checked, hovering; int32_t glyph; } table[] = {
        {false, false, false, 0},
        {false, false, true, 1},
        {true, false, false, 2},
        {true, false, true, 2},
        {false, true, false, 3},
        {false, true, true, 4},
        {true, true, false, 5},
        {true, true, true, 5},
    };
    // Every combination is listed, so the two inactive glyphs (6, 7) are
    // shown never to be chosen.
    for (const auto& row : table) {
        EXPECT_EQ(static_cast<int32_t>(GlyphIndex(row.pressed, row.checked, row.hovering)), row.glyph)
            << "pressed " << row.pressed << " checked " << row.checked << " hovering "
            << row.hovering;
    }
}

}  // namespace
}  // namespace brimel
