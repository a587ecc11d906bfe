#include "core/glyph_index.h"

namespace brimel {

CheckGlyph GlyphIndex(bool pressed, bool checked, bool hovering) {
    if (pressed) return checked ? kGlyphCheckedPressed : kGlyphUncheckedPressed;
    if (checked) return hovering ? kGlyphCheckedHot : kGlyphChecked;
    return hovering ? kGlyphUncheckedHot : kGlyphUnchecked;
}

}  // namespace brimel
