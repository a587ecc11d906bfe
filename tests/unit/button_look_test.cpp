#include "core/button_look.h"

#include <gtest/gtest.h>

#include "string_printer.h"

#include <string>

namespace brimel {
namespace {

TEST(ButtonLook, PictureTableCoversEveryFlagCombination) {
    using P = ButtonPicture;
    const struct {
        bool hovering, pressing, disabled, selected;
        P picture;
        bool grayText;
        int32_t shift;
        bool focus;
    } cases[] = {
        // Idle: the item state decides; a selected item without a live
        // press (a keyboard-driven BM_SETSTATE, say) still looks normal.
        {false, false, false, false, P::Normal, false, 0, true},
        {false, false, false, true, P::Normal, false, 0, true},
        {false, false, true, false, P::Disabled, true, 0, true},
        {false, false, true, true, P::Disabled, true, 0, true},
        // Live: pushed while selected, hot otherwise, whatever the enable state.
        {true, false, false, false, P::Hot, false, 0, true},
        {false, true, false, false, P::Hot, false, 0, true},
        {true, true, false, false, P::Hot, false, 0, true},
        {true, false, true, false, P::Hot, false, 0, true},
        {true, false, false, true, P::Pushed, false, 2, false},
        {false, true, false, true, P::Pushed, false, 2, false},
        {true, true, false, true, P::Pushed, false, 2, false},
        {false, true, true, true, P::Pushed, false, 2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "hovering " << c.hovering << " pressing " << c.pressing
                                        << " disabled " << c.disabled << " selected " << c.selected);
        const ButtonLook look = ChooseButtonLook(c.hovering, c.pressing, c.disabled, c.selected);
        EXPECT_EQ(look.picture, c.picture);
        EXPECT_EQ(look.grayText, c.grayText);
        EXPECT_EQ(look.textShift, c.shift);
        EXPECT_EQ(look.focusAllowed, c.focus);
    }
}

TEST(ButtonLook, FocusRectangleIsTwoWiderThanTheCaptionAndOneBelowCentre) {
    const struct { int32_t cw, ch, tw, th; Rect expected; } cases[] = {
        {150, 21, 40, 13, {54, 5, 96, 18}},   // (150 - 42) / 2, (21 - 13) / 2 + 1
        {150, 22, 41, 13, {53, 5, 96, 18}},   // odd remainders truncate: 107 / 2, 9 / 2
        {75, 23, 20, 16, {26, 4, 48, 20}},
        {30, 21, 0, 0, {14, 11, 16, 11}},     // empty caption: a 2 x 0 rectangle
        // A caption wider or taller than the button: the negative halves
        // truncate toward zero, not downward.
        {40, 10, 41, 13, {-1, 0, 42, 13}},    // (40 - 43) / 2 = -1, (10 - 13) / 2 + 1 = 0
        {40, 10, 43, 16, {-2, -2, 43, 14}},   // -5 / 2 = -2, -6 / 2 + 1 = -2
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.cw << "x" << c.ch << " text " << c.tw << "x" << c.th);
        const Rect r = FocusRectFor(c.cw, c.ch, c.tw, c.th);
        EXPECT_EQ(r, c.expected) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
        EXPECT_EQ(r.right - r.left, c.tw + 2);
        EXPECT_EQ(r.bottom - r.top, c.th);
    }
}

TEST(ButtonLook, CaptionAsShownDropsMnemonicMarkers) {
    const struct { String caption, shown; } cases[] = {
        {"Install &Brimel Messenger", "Install Brimel Messenger"},
        {"&Yes", "Yes"},
        {"Fish && Chips", "Fish & Chips"},
        {"&&&N", "&N"},
        {"Trailing&", "Trailing"},
        {"&", ""},
        {"", ""},
        {"Plain", "Plain"},
    };
    for (const auto& c : cases) EXPECT_EQ(CaptionAsShown(c.caption), c.shown) << c.caption;
}

}  // namespace
}  // namespace brimel
