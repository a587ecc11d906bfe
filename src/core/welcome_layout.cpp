#include "core/welcome_layout.h"

namespace brimel {

WelcomeLayout LayOutWelcome(const WelcomeLayoutInput& in) {
    auto s = [&in](int32_t value) { return ScaleForDpi(value, in.dpi); };
    const int32_t w = in.clientWidth, h = in.clientHeight;
    const int32_t top = s(100), inset = s(3), boxAt = s(140);
    // The picture keeps its bitmap's pixels; only its inset grows.
    return {{{s(20), top, w - s(40), h - s(280)},
             {w - in.pictureWidth - inset, h - in.pictureHeight - inset, in.pictureWidth, in.pictureHeight},
             {s(300), h - top, in.buttonWidth, in.buttonHeight},
             {boxAt, h - boxAt, in.boxWidth, in.boxHeight}}};
}

Point WelcomeInitialSize(int32_t dpi) { return {ScaleForDpi(750, dpi), ScaleForDpi(570, dpi)}; }

Point WelcomeMinimumSize(int32_t dpi) { return {ScaleForDpi(700, dpi), ScaleForDpi(500, dpi)}; }

}  // namespace brimel
