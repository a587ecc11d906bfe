// The pure decisions of the owner-drawn controls: the check-box glyph, the
// image button's look, its caption and its focus rectangle.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "core/button_look.h"
#include "core/glyph_index.h"
#include "fuzz_check.h"

namespace {

using namespace brimel;

// GDI coordinates: NT draws within 27 bits, so no window or text measures
// more.
constexpr int32_t kLargestCoordinate = 1 << 27;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const bool pressed = in.ConsumeBool(), checked = in.ConsumeBool();
    const bool hovering = in.ConsumeBool(), disabled = in.ConsumeBool();
    const bool selected = in.ConsumeBool();

    // Only the six live glyphs are ever chosen; a press shows pressed, and
    // the checked looks are the upper three.
    const CheckGlyph glyph = GlyphIndex(pressed, checked, hovering);
    FUZZ_CHECK(glyph >= CheckGlyph::Unchecked && glyph <= CheckGlyph::CheckedPressed);
    FUZZ_CHECK((glyph >= CheckGlyph::Checked) == checked);
    FUZZ_CHECK((glyph == CheckGlyph::UncheckedPressed || glyph == CheckGlyph::CheckedPressed) == pressed);

    const ButtonLook look = ChooseButtonLook(hovering, pressed, disabled, selected);
    const int32_t frame = StripFrameOf(look.picture);
    FUZZ_CHECK(frame >= 0 && frame <= 3);
    FUZZ_CHECK(look.grayText == (look.picture == ButtonPicture::Disabled));

    const int32_t cw = in.ConsumeIntegralInRange<int32_t>(-kLargestCoordinate, kLargestCoordinate);
    const int32_t ch = in.ConsumeIntegralInRange<int32_t>(-kLargestCoordinate, kLargestCoordinate);
    const int32_t tw = in.ConsumeIntegralInRange<int32_t>(0, kLargestCoordinate);
    const int32_t th = in.ConsumeIntegralInRange<int32_t>(0, kLargestCoordinate);
    const Rect focus = FocusRectFor(cw, ch, tw, th);
    FUZZ_CHECK(focus.right - focus.left == tw + 2 && focus.bottom - focus.top == th);
    // Centred: as much room on the left as on the right, give or take one.
    const int64_t slack = (int64_t{cw} - focus.right) - focus.left;
    FUZZ_CHECK(slack >= -1 && slack <= 1);

    // The caption loses its mnemonic marks and nothing else.
    const std::string rawCaption = in.ConsumeRemainingBytesAsString();
    const String caption(rawCaption.data(), rawCaption.size());
    const String shown = CaptionAsShown(caption);
    size_t marks = 0;
    for (char c : caption) marks += c == '&';
    FUZZ_CHECK(shown.size() <= caption.size() && shown.size() + marks >= caption.size());
    if (marks == 0) FUZZ_CHECK(shown == caption);
    return 0;
}
