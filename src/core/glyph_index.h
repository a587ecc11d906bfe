// Which of the eight check-box glyphs (bitmap 229, index 0 at the left) the
// radio/check button shows.
#pragma once

#include <cstdint>

namespace brimel {

// Glyph positions in the strip.  The two inactive looks exist in the strip
// but no state of the control selects them.
enum class CheckGlyph : int32_t {
    Unchecked,
    UncheckedHot,
    UncheckedPressed,
    Checked,
    CheckedHot,
    CheckedPressed,
    InactiveUnchecked,
    InactiveChecked,
};

constexpr int32_t kCheckGlyphCount = 8;
constexpr int32_t kCheckGlyphSize = 13;

// A press outranks hovering: while the button is held the pressed look shows
// whether or not the pointer is still over the control.
CheckGlyph GlyphIndex(bool pressed, bool checked, bool hovering);

}  // namespace brimel
