#include "core/glyph_index.h"

namespace brimel {

CheckGlyph GlyphIndex(bool pressed, bool checked, bool hovering) {
    if (pressed) return checked ? CheckGlyph::CheckedPressed : CheckGlyph::UncheckedPressed;
    if (checked) return hovering ? CheckGlyph::CheckedHot : CheckGlyph::Checked;
    return hovering ? CheckGlyph::UncheckedHot : CheckGlyph::Unchecked;
}

}  // namespace brimel
