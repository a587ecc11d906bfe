// The check box and radio button in a real dialog: glyphs, clicks, the space
// bar, the radio group and the focus rectangle, with real input under Wine.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleacc.h>

#include <functional>
#include <string>
#include <vector>

#include "core/glyph_index.h"
#include "framework/application.h"
#include "resource.h"
#include "support/canvas.h"
#include "support/ui_driving.h"
#include "ui/controls/radio_check_button.h"

namespace brimel {
namespace {

using test::Grab;
using test::ClientPixels;
using test::ScriptedDialog;

constexpr UINT kDialogId = 7001;
constexpr int kBoxId = 7002, kOneId = 7003, kTwoId = 7004, kAlsoId = 7005, kOtherId = 7006;
constexpr COLORREF kMagenta = RGB(255, 0, 255);
const char kBoxCaption[] = "I &accept the terms";

Application app;  // the shared dialog font

// A check box in a group of its own, then radios One and Two with the check
// box Also in a second group; the script starts with the focus on a plain
// button.
struct Boxes {
    BRadioCheckButton box, one, two, also;
    LONG boxType = BS_AUTOCHECKBOX;  // the first box's template type

    void Run(const std::function<void(ScriptedDialog&)>& script) {
        test::RunScripted(
            kDialogId,
            [&](ScriptedDialog& d) {
                HWND item = d.Item(kBoxId);
                SetWindowLongA(item, GWL_STYLE, (GetWindowLongA(item, GWL_STYLE) & ~BS_TYPEMASK) | boxType);
                d.BindControl(kBoxId, box);
                d.BindControl(kOneId, one);
                d.BindControl(kTwoId, two);
                d.BindControl(kAlsoId, also);
            },
            [&](ScriptedDialog& d) {
                d.SetClientSize(320, 220);
                for (int i = 0; i < 5; ++i) d.Place(kBoxId + i, 20, 20 + 32 * i, i == 4 ? 80 : 220, i == 4 ? 24 : 17);
            },
            [&](ScriptedDialog& d) {
                SetFocus(d.Item(kOtherId));
                test::Pump(100);
                script(d);
            });
    }
};

// Glyph `index` of a strip bitmap resource, as the control should show it.
class Strip {
public:
    explicit Strip(int bitmapId) {
        HBITMAP strip = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId));
        pixels_ = test::ReadBitmap(strip, &width_, nullptr);
        DeleteObject(strip);
    }
    COLORREF At(int index, int x, int y) const { return pixels_[y * width_ + index * 13 + x]; }

private:
    std::vector<COLORREF> pixels_;
    int width_ = 0;
};

// The glyph the control shows at x 0, y 1, or -1 for none; key pixels of the
// strip must show what lies beneath (anything but magenta).
int ShownGlyph(HWND control, const Strip& strip) {
    const ClientPixels shown = Grab(control);
    for (int index = 0; index < kCheckGlyphCount; ++index) {
        bool same = true;
        for (int y = 0; y < 13 && same; ++y)
            for (int x = 0; x < 13 && same; ++x) {
                const COLORREF want = strip.At(index, x, y);
                same = want == kMagenta ? shown.At(x, y + 1) != kMagenta : shown.At(x, y + 1) == want;
            }
        if (same) return index;
    }
    return -1;
}

TEST(RadioCheckButton, ClickShowsThePressedGlyphWhileHeldThenTheCheckedHoverGlyph) {
    Boxes b;
    const Strip strip(IDB_CHECK_GLYPHS);
    b.Run([&](ScriptedDialog& d) {
        HWND box = b.box.Handle();
        EXPECT_TRUE(b.box.IsCheckBoxMode());
        EXPECT_EQ(GetWindowLongA(box, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
        EXPECT_EQ(ShownGlyph(box, strip), int(CheckGlyph::Unchecked));
        test::PointAt(test::OnScreen(box, 6, 8));
        EXPECT_TRUE(test::PumpUntil([&] { return ShownGlyph(box, strip) == int(CheckGlyph::UncheckedHot); }));
        EXPECT_EQ(GetCursor(), LoadCursorA(ResourceInstance(), MAKEINTRESOURCEA(IDC_HAND_CURSOR)));
        test::Press();
        EXPECT_EQ(ShownGlyph(box, strip), int(CheckGlyph::UncheckedPressed));
        EXPECT_EQ(d.clicks[kBoxId], 0);
        test::Release();
        EXPECT_EQ(ShownGlyph(box, strip), int(CheckGlyph::CheckedHot));
        EXPECT_EQ(b.box.GetCheck(), 1);
        EXPECT_EQ(d.clicks[kBoxId], 1);
        // The state is the control's own, not the platform button's.
        EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
        SendMessageA(box, BM_SETCHECK, BST_UNCHECKED, 0);
        EXPECT_EQ(b.box.GetCheck(), 1);
    });
}

TEST(RadioCheckButton, EveryButtonTypeIsDrawnInTheModeOfItsCheckBoxBit) {
    const struct {
        LONG type;
        bool checkBoxMode;
    } cases[] = {
        {BS_CHECKBOX, true}, {BS_AUTORADIOBUTTON, false},
        // OR-ed with the owner-draw type these would make type 15.
        {BS_RADIOBUTTON, false}, {BS_3STATE, false}, {BS_AUTO3STATE, true},
    };
    for (const auto& c : cases) {
        Boxes b;
        b.boxType = c.type;
        b.Run([&](ScriptedDialog&) {
            HWND box = b.box.Handle();
            EXPECT_EQ(b.box.IsCheckBoxMode(), c.checkBoxMode) << "type " << c.type;
            EXPECT_EQ(GetWindowLongA(box, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW) << "type " << c.type;
            const Strip strip(c.checkBoxMode ? IDB_CHECK_GLYPHS : IDB_RADIO_GLYPHS);
            EXPECT_EQ(ShownGlyph(box, strip), int(CheckGlyph::Unchecked)) << "type " << c.type;
        });
    }
}

TEST(RadioCheckButton, DrawingLeavesTheBorrowedDcAsItCame) {
    Boxes b;
    b.Run([&](ScriptedDialog& d) {
        for (UINT state : {0u, unsigned(ODS_FOCUS)}) {
            test::Canvas c(220, 17, RGB(0, 0, 0));
            HDC dc = c.dc();
            HFONT font = static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));
            SelectObject(dc, font);
            SetBkMode(dc, OPAQUE);
            SetBkColor(dc, RGB(11, 22, 33));
            SetTextColor(dc, RGB(44, 55, 66));
            SetViewportOrgEx(dc, 3, 4, nullptr);
            DRAWITEMSTRUCT item = {};
            item.CtlType = ODT_BUTTON;
            item.CtlID = kBoxId;
            item.itemAction = ODA_DRAWENTIRE;
            item.itemState = state;
            item.hwndItem = b.box.Handle();
            item.hDC = dc;
            item.rcItem = RECT{0, 0, 220, 17};
            EXPECT_TRUE(SendMessageA(d.Handle(), WM_DRAWITEM, kBoxId, reinterpret_cast<LPARAM>(&item)));
            POINT origin = {0, 0};
            GetViewportOrgEx(dc, &origin);
            EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font) << state;
            EXPECT_EQ(GetBkMode(dc), OPAQUE) << state;
            EXPECT_EQ(GetBkColor(dc), RGB(11, 22, 33)) << state;
            EXPECT_EQ(GetTextColor(dc), RGB(44, 55, 66)) << state;
            EXPECT_EQ(origin.x * 10 + origin.y, 34) << state;
        }
    });
}

TEST(RadioCheckButton, EveryReleaseNotifiesOnlyAReleaseOverTheBoxToggles) {
    const struct {
        const char* what;
        bool pressOnBox;
        bool releaseOnBox;
        int checked;
    } cases[] = {
        {"press inside, release outside", true, false, 0},
        {"press elsewhere, release over the box", false, true, 1},
    };
    for (const auto& c : cases) {
        Boxes b;
        b.Run([&](ScriptedDialog& d) {
            const POINT onBox = test::OnScreen(b.box.Handle(), 6, 8);
            const POINT elsewhere = test::OnScreen(d.Handle(), 300, 200);
            test::PointAt(c.pressOnBox ? onBox : elsewhere);
            test::Press();
            test::PointAt(c.releaseOnBox ? onBox : elsewhere);
            test::Release();
            EXPECT_EQ(b.box.GetCheck(), c.checked) << c.what;
            EXPECT_EQ(d.clicks[kBoxId], 1) << c.what;
        });
    }
}

TEST(RadioCheckButton, SpaceActsOnItsRelease) {
    const struct {
        const char* what;
        int id;
        int checkedBefore;
        int checkedAfter;
        int clicks;
    } cases[] = {
        {"check box toggles", kBoxId, 0, 1, 1},
        {"check box toggles back", kBoxId, 1, 0, 1},
        {"radio is set", kOneId, 0, 1, 1},
        {"checked radio: nothing", kOneId, 1, 1, 0},
    };
    for (const auto& c : cases) {
        Boxes b;
        b.Run([&](ScriptedDialog& d) {
            BRadioCheckButton& control = c.id == kBoxId ? b.box : b.one;
            control.SetCheck(c.checkedBefore);
            SetFocus(control.Handle());
            test::Key(VK_SPACE, true);
            EXPECT_EQ(control.GetCheck(), c.checkedBefore) << c.what << ": acted on the press";
            test::Key(VK_SPACE, false);
            EXPECT_EQ(control.GetCheck(), c.checkedAfter) << c.what;
            EXPECT_EQ(d.clicks[c.id], c.clicks) << c.what;
        });
    }
}

TEST(RadioCheckButton, CheckingARadioUnchecksTheOtherRadiosOfItsGroupOnly) {
    Boxes b;
    const Strip radio(IDB_RADIO_GLYPHS);
    b.Run([&](ScriptedDialog& d) {
        EXPECT_FALSE(b.one.IsCheckBoxMode());
        b.two.SetCheck(1);
        b.also.SetCheck(1);
        b.box.SetCheck(1);
        test::PointAt(test::OnScreen(b.one.Handle(), 6, 8));
        test::Press();
        test::Release();
        EXPECT_EQ(b.one.GetCheck(), 1);
        EXPECT_EQ(b.two.GetCheck(), 0);
        EXPECT_EQ(b.also.GetCheck(), 1) << "a check box of the group";
        EXPECT_EQ(b.box.GetCheck(), 1) << "another group";
        EXPECT_EQ(d.clicks[kOneId], 1);
        EXPECT_EQ(d.clicks[kTwoId], 0);
        // Radios show the round glyphs, the dialog showing at their corners.
        EXPECT_EQ(ShownGlyph(b.one.Handle(), radio), int(CheckGlyph::CheckedHot));
        EXPECT_EQ(ShownGlyph(b.two.Handle(), radio), int(CheckGlyph::Unchecked));
    });
}

TEST(RadioCheckButton, FocusRectangleSpansTheCaptionInTheFontItIsDrawnIn) {
    Boxes b;
    b.Run([&](ScriptedDialog&) {
        HWND box = b.box.Handle();
        const ClientPixels unfocused = Grab(box);
        SetFocus(box);
        test::Pump(100);
        const ClientPixels focused = Grab(box);
        int left = focused.width, right = -1, bottom = -1;
        for (int y = 0; y < focused.height; ++y)
            for (int x = 0; x < focused.width; ++x)
                if (focused.At(x, y) != unfocused.At(x, y)) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    bottom = std::max(bottom, y);
                }
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, app.DialogFont());
        SIZE extent = {0, 0};
        GetTextExtentPoint32A(dc, kBoxCaption, lstrlenA(kBoxCaption), &extent);
        SelectObject(dc, old);
        DeleteDC(dc);
        EXPECT_EQ(left, 15);
        EXPECT_EQ(right, extent.cx + 18);
        EXPECT_EQ(bottom, extent.cy);
    });
}

TEST(RadioCheckButton, HoveringInAndOutLeavesTheCaptionAsItWas) {
    Boxes b;
    b.Run([&](ScriptedDialog& d) {
        HWND box = b.box.Handle();
        const ClientPixels before = Grab(box);
        // Each hover repaints the control; the caption must not be drawn
        // over a copy of its own earlier drawing.
        for (int i = 0; i < 4; ++i) {
            test::PointAt(test::OnScreen(box, 60, 8));
            EXPECT_TRUE(test::PumpUntil([&] { return b.box.IsHovering(); }));
            test::PointAt(test::OnScreen(d.Handle(), 300, 200));
            EXPECT_TRUE(test::PumpUntil([&] { return !b.box.IsHovering(); }));
        }
        const ClientPixels after = Grab(box);
        int changed = 0;
        for (size_t i = 0; i < before.pixels.size(); ++i) changed += before.pixels[i] != after.pixels[i];
        EXPECT_EQ(changed, 0);
    });
}

// Role, state and default action as an assistive tool reads them.
struct Accessible {
    long role = -1, state = -1;
    std::wstring action;
};

Accessible Read(HWND control, bool doDefaultAction = false) {
    Accessible read;
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&object))))
        return read;
    VARIANT self, role, state;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VariantInit(&role);
    VariantInit(&state);
    object->get_accRole(self, &role);
    object->get_accState(self, &state);
    read.role = role.lVal;
    read.state = state.lVal;
    BSTR action = nullptr;
    if (object->get_accDefaultAction(self, &action) == S_OK) read.action = action;
    SysFreeString(action);
    if (doDefaultAction) object->accDoDefaultAction(self);
    object->Release();
    return read;
}

TEST(RadioCheckButton, ItsAccessibleObjectTellsTheTickAndItsDefaultActionClicks) {
  // The same answers whether the box shows the skin's glyph or, in high
  // contrast, the system's.
  for (const bool system : {false, true}) {
    Boxes b;
    b.Run([&](ScriptedDialog& d) {
        HWND box = b.box.Handle();
        b.box.SetLook({kNoColor, kNoColor, kNoColor, kSkinGrayText, kSkinHotLight, system});
        RedrawLook(box);
        EXPECT_EQ(ShownGlyph(box, Strip(IDB_CHECK_GLYPHS)) < 0, system) << "the skin's glyph";
        Accessible read = Read(box);
        EXPECT_EQ(read.role, ROLE_SYSTEM_CHECKBUTTON);
        EXPECT_EQ(read.state & STATE_SYSTEM_CHECKED, 0);
        EXPECT_EQ(read.action, L"Check");
        test::PointAt(test::OnScreen(box, 6, 8));
        test::Press();
        test::Release();
        read = Read(box, true);
        EXPECT_NE(read.state & STATE_SYSTEM_CHECKED, 0) << "after the click";
        EXPECT_EQ(read.action, L"Uncheck");
        EXPECT_TRUE(test::PumpUntil([&] { return b.box.GetCheck() == 0; })) << "the default action did not untick";
        EXPECT_EQ(d.clicks[kBoxId], 2);
        EXPECT_EQ(Read(b.one.Handle()).role, ROLE_SYSTEM_RADIOBUTTON);
    });
  }
}

}  // namespace
}  // namespace brimel
