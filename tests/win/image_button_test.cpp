// The image button in a real dialog: its pictures, shape, focus rectangle,
// hover and press tracking and clicks, under Wine with real GDI and input.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/setup_app.h"
#include "core/button_look.h"
#include "framework/dialog.h"
#include "resource.h"
#include "support/canvas.h"
#include "support/test_support.h"
#include "support/ui_driving.h"
#include "ui/draw/image_button.h"

namespace brimel {
namespace {

constexpr UINT kDialogId = 5001;
constexpr int kButtonId = 5002, kOtherId = 5003;
constexpr int kWidth = 150, kHeight = 21;
constexpr COLORREF kMagenta = RGB(255, 0, 255);
const char kCaption[] = "&Go";

// The application object, for the shared dialog font the caption is drawn in.
class AppEnvironment : public testing::Environment {
public:
    void SetUp() override { app.LoadSharedResources(); }
    SetupApp app;
};
AppEnvironment* const kApp =
    static_cast<AppEnvironment*>(testing::AddGlobalTestEnvironment(new AppEnvironment));

using test::Canvas;
using test::Pump;
using test::PumpUntil;
using test::ReadBitmap;

// The default skin's strip, read straight from the resource, and the
// picture each frame should give a 150 x 21 button with margins 15, 6, 15, 8:
// corners as they are, the identical middle columns repeated, rows 15 and 16
// of the 23 left out (the top and bottom margins fill the 21 rows).
class Strip {
public:
    Strip() {
        HBITMAP strip = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_BUTTON_FACES));
        pixels_ = ReadBitmap(strip, &width_, &height_);
        DeleteObject(strip);
    }
    int width() const { return width_; }
    COLORREF At(int x, int y) const { return pixels_[y * width_ + x]; }
    COLORREF Scaled(int frame, int x, int y) const {
        const int sx = x < 15 ? x : (x >= kWidth - 8 ? x - kWidth + 54 : 15);
        const int sy = y < 15 ? y : y + 2;
        return At(frame * 54 + sx, sy);
    }
    std::set<COLORREF> Colours(int frame) const {
        std::set<COLORREF> colours;
        for (int y = 0; y < 23; ++y)
            for (int x = 0; x < 54; ++x) colours.insert(At(frame * 54 + x, y));
        colours.erase(kMagenta);
        return colours;
    }

private:
    std::vector<COLORREF> pixels_;
    int width_ = 0, height_ = 0;
};

// What the button should draw over a background of `fill`: the frame through
// its key colour, and the caption as the button writes it.
std::vector<COLORREF> ExpectedDrawing(const Strip& strip, int frame, COLORREF fill, int textShift,
                                      COLORREF textColour) {
    Canvas c(kWidth, kHeight, fill);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (strip.Scaled(frame, x, y) != kMagenta) c.Set(x, y, strip.Scaled(frame, x, y));
    SetBkMode(c.dc(), TRANSPARENT);
    HGDIOBJ old = SelectObject(c.dc(), kApp->app.dialogFont.Get());
    SetTextColor(c.dc(), textColour);
    RECT r = {textShift, 0, kWidth + textShift, kHeight};
    DrawTextA(c.dc(), kCaption, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(c.dc(), old);
    return c.Pixels();
}

// Asks the button to draw itself into a canvas filled with `fill`, through
// the platform button's own owner-draw request.
std::vector<COLORREF> Capture(HWND button, COLORREF fill) {
    Canvas c(kWidth, kHeight, fill);
    SendMessageA(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(c.dc()), PRF_CLIENT);
    return c.Pixels();
}

int Differences(const std::vector<COLORREF>& actual, const std::vector<COLORREF>& expected,
                const char* what) {
    int count = 0;
    for (size_t i = 0; i < actual.size() && i < expected.size(); ++i) {
        if (actual[i] != expected[i] && ++count <= 3)
            ADD_FAILURE() << what << ": pixel " << i % kWidth << "," << i / kWidth << " is " << std::hex
                          << actual[i] << ", expected " << expected[i];
    }
    return count;
}

// The focus rectangle the button should draw for kCaption: the shown text
// "Go" measured in the dialog font, two pixels wider, centred, one pixel
// below the vertical centre.
RECT ExpectedFocusRect() {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, kApp->app.dialogFont.Get());
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(dc, "Go", 2, &extent);
    SelectObject(dc, old);
    DeleteDC(dc);
    const int left = (kWidth - (extent.cx + 2)) / 2, top = (kHeight - extent.cy) / 2 + 1;
    return RECT{left, top, left + extent.cx + 2, top + extent.cy};
}

bool OnBorder(const RECT& r, int x, int y) {
    const bool inside = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
    return inside && (x == r.left || x == r.right - 1 || y == r.top || y == r.bottom - 1);
}

// The test dialog: binds the button, sizes it to 150 x 21, gives it the
// default skin, then runs the test's script from inside its modal loop.
class ButtonDialog : public Dialog {
public:
    explicit ButtonDialog(std::function<void(ButtonDialog&)> script)
        : Dialog(kDialogId, nullptr), script_(std::move(script)) {}

    BImageButton button;
    int clicks = 0;
    int otherClicks = 0;
    std::vector<POINT> dialogPresses;  // WM_LBUTTONDOWN that reached the dialog

    HWND Button() const { return button.Handle(); }
    HWND Other() const { return GetDlgItem(Handle(), kOtherId); }
    POINT ButtonToScreen(int x, int y) const {
        POINT p = {x, y};
        ClientToScreen(Button(), &p);
        return p;
    }

protected:
    void DoDataExchange() override { BindControl(kButtonId, button); }
    BOOL OnInitDialog() override {
        SetWindowPos(Button(), nullptr, 0, 0, kWidth, kHeight, SWP_NOMOVE | SWP_NOZORDER);
        skinned_ = button.ApplyDefaultSkin();
        PostMessageA(Handle(), WM_APP, 0, 0);
        return TRUE;
    }
    bool OnCommand(WORD id, WORD code, HWND control) override {
        if (code == BN_CLICKED && id == kButtonId) {
            ++clicks;
            return true;
        }
        if (code == BN_CLICKED && id == kOtherId) {
            ++otherClicks;
            return true;
        }
        return Dialog::OnCommand(id, code, control);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_APP) {
            EXPECT_TRUE(skinned_);
            SetForegroundWindow(Handle());
            UpdateWindow(Handle());
            script_(*this);
            if (const char* hold = std::getenv("BRIMEL_HOLD_DIALOG_MS")) Pump(std::atoi(hold));
            EndDialog(IDOK);
            return 0;
        }
        if (message == WM_LBUTTONDOWN)
            dialogPresses.push_back(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return Dialog::WindowProc(message, wParam, lParam);
    }

private:
    std::function<void(ButtonDialog&)> script_;
    bool skinned_ = false;
};

void RunDialog(const std::function<void(ButtonDialog&)>& script) {
    // The pointer starts far from the dialog, so nothing hovers by accident.
    SetCursorPos(1000, 740);
    bool ran = false;
    ButtonDialog dialog([&](ButtonDialog& d) {
        ran = true;
        script(d);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(ran);
}

void MoveAway(ButtonDialog& d) {
    SetCursorPos(1000, 740);
    EXPECT_TRUE(PumpUntil([&] { return !d.button.IsHovering(); })) << "no leave notification";
}

void ClickAt(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    Pump(100);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    Pump(50);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    Pump(200);
}

TEST(ImageButton, BecomesOwnerDrawnWithFourStateImagesFromFramesZeroToThree) {
    const Strip strip;
    RunDialog([&](ButtonDialog& d) {
        const LONG style = GetWindowLongA(d.Button(), GWL_STYLE);
        EXPECT_EQ(style & BS_TYPEMASK, BS_OWNERDRAW);
        EXPECT_EQ(style & BS_LEFT, BS_LEFT);
        EXPECT_TRUE(d.button.HasStateImages());
        const struct { ButtonPicture picture; int frame; } states[] = {
            {ButtonPicture::Normal, 0}, {ButtonPicture::Pushed, 1},
            {ButtonPicture::Disabled, 2}, {ButtonPicture::Hot, 3},
        };
        for (const auto& s : states) {
            SCOPED_TRACE(s.frame);
            int w = 0, h = 0;
            const std::vector<COLORREF> image = ReadBitmap(d.button.StateImage(s.picture), &w, &h);
            ASSERT_EQ(w, kWidth);
            ASSERT_EQ(h, kHeight);
            int wrong = 0;
            for (int y = 0; y < kHeight; ++y)
                for (int x = 0; x < kWidth; ++x)
                    if (image[y * kWidth + x] != strip.Scaled(s.frame, x, y)) ++wrong;
            EXPECT_EQ(wrong, 0);
        }
        // A strip that does not exist changes nothing that was built.
        HBITMAP normal = d.button.StateImage(ButtonPicture::Normal);
        EXPECT_FALSE(d.button.SetBitmaps(9999, 5, 15, 6, 15, 8));
        EXPECT_EQ(d.button.StateImage(ButtonPicture::Normal), normal);
        EXPECT_TRUE(d.button.HasStateImages());
    });
}

TEST(ImageButton, BuildsNoImagesBeforeItHasAWindow) {
    BImageButton button;
    EXPECT_FALSE(button.ApplyDefaultSkin());
    EXPECT_FALSE(button.HasStateImages());
    EXPECT_EQ(button.StateImage(ButtonPicture::Normal), nullptr);
}

TEST(ImageButton, KeyColouredCornersAreOutsideTheWindowRegionAndClicksThereReachTheDialog) {
    const Strip strip;
    RunDialog([&](ButtonDialog& d) {
        Capture(d.Button(), RGB(0, 0, 0));  // the region follows the picture last drawn
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        ASSERT_EQ(GetWindowRgn(d.Button(), region), COMPLEXREGION);
        int wrong = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                if ((PtInRegion(region, x, y) != FALSE) != (strip.Scaled(0, x, y) != kMagenta)) ++wrong;
        EXPECT_EQ(wrong, 0);
        EXPECT_FALSE(PtInRegion(region, 0, 0));
        EXPECT_FALSE(PtInRegion(region, kWidth - 1, kHeight - 1));
        DeleteObject(region);

        const POINT corner = d.ButtonToScreen(0, 0), centre = d.ButtonToScreen(kWidth / 2, kHeight / 2);
        EXPECT_EQ(WindowFromPoint(corner), d.Handle());
        EXPECT_EQ(WindowFromPoint(centre), d.Button());

        ClickAt(corner);
        ASSERT_EQ(d.dialogPresses.size(), 1u);
        POINT expected = corner;
        ScreenToClient(d.Handle(), &expected);
        EXPECT_EQ(d.dialogPresses[0].x, expected.x);
        EXPECT_EQ(d.dialogPresses[0].y, expected.y);
        EXPECT_EQ(d.clicks, 0);
    });
}

TEST(ImageButton, DrawsNormalHotPushedAndDisabledPicturesAndNeverFrameFour) {
    const Strip strip;
    const COLORREF fill = RGB(0, 160, 0);
    const COLORREF black = RGB(0, 0, 0), grey = GetSysColor(COLOR_GRAYTEXT);
    std::set<COLORREF> frameFourOnly = strip.Colours(4);
    for (int f = 0; f < 4; ++f)
        for (COLORREF c : strip.Colours(f)) frameFourOnly.erase(c);
    ASSERT_FALSE(frameFourOnly.empty());
    std::vector<std::vector<COLORREF>> drawn;

    RunDialog([&](ButtonDialog& d) {
        // The focus stays on the other button, so no focus rectangle shows.
        SetFocus(d.Other());
        drawn.push_back(Capture(d.Button(), fill));
        EXPECT_EQ(Differences(drawn.back(), ExpectedDrawing(strip, 0, fill, 0, black), "normal"), 0);

        // Hot: the pointer over the button and a mouse move.
        const POINT centre = d.ButtonToScreen(kWidth / 2, kHeight / 2);
        SetCursorPos(centre.x, centre.y);
        SendMessageA(d.Button(), WM_MOUSEMOVE, 0, MAKELPARAM(kWidth / 2, kHeight / 2));
        EXPECT_TRUE(d.button.IsHovering());
        SetFocus(d.Other());
        drawn.push_back(Capture(d.Button(), fill));
        EXPECT_EQ(Differences(drawn.back(), ExpectedDrawing(strip, 3, fill, 0, black), "hot"), 0);

        // Pushed: the left button down; the caption moves two pixels right
        // and the button, focused by the press, shows no focus rectangle.
        SendMessageA(d.Button(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kWidth / 2, kHeight / 2));
        EXPECT_TRUE(d.button.IsPressing());
        EXPECT_EQ(GetFocus(), d.Button());
        drawn.push_back(Capture(d.Button(), fill));
        EXPECT_EQ(Differences(drawn.back(), ExpectedDrawing(strip, 1, fill, 2, black), "pushed"), 0);
        SendMessageA(d.Button(), WM_LBUTTONUP, 0, MAKELPARAM(kWidth / 2, kHeight / 2));
        EXPECT_FALSE(d.button.IsPressing());

        // Disabled, with the pointer gone: grey frame, grey caption.
        MoveAway(d);
        EnableWindow(d.Button(), FALSE);
        drawn.push_back(Capture(d.Button(), fill));
        EXPECT_EQ(Differences(drawn.back(), ExpectedDrawing(strip, 2, fill, 0, grey), "disabled"), 0);
        EnableWindow(d.Button(), TRUE);
    });

    ASSERT_EQ(drawn.size(), 4u);
    // The captions really differ in colour: black ones, and a grey one.
    auto has = [](const std::vector<COLORREF>& p, COLORREF c) {
        for (COLORREF x : p)
            if (x == c) return true;
        return false;
    };
    EXPECT_TRUE(has(drawn[0], black));
    EXPECT_TRUE(has(drawn[3], grey));
    EXPECT_FALSE(has(drawn[3], black));
    for (const auto& picture : drawn)
        for (COLORREF c : picture) ASSERT_EQ(frameFourOnly.count(c), 0u) << std::hex << c;
}

TEST(ImageButton, FocusRectangleSurroundsTheCaptionOneBelowCentreExceptWhenPushed) {
    const RECT focus = ExpectedFocusRect();
    const COLORREF fill = RGB(0, 0, 200), hotLight = RGB(0, 220, 110);
    RunDialog([&](ButtonDialog& d) {
      // High contrast's system push button first, then the skin's face.
      for (const bool system : {true, false}) {
        d.button.SetSystemFace(system, RGB(0, 0, 0), hotLight);
        for (int hot = 0; hot < 2; ++hot) {
            SCOPED_TRACE(hot ? "hot" : "normal");
            if (hot) {
                const POINT centre = d.ButtonToScreen(kWidth / 2, kHeight / 2);
                SetCursorPos(centre.x, centre.y);
                SendMessageA(d.Button(), WM_MOUSEMOVE, 0, MAKELPARAM(kWidth / 2, kHeight / 2));
                ASSERT_TRUE(d.button.IsHovering());
            }
            SetFocus(d.Other());
            const std::vector<COLORREF> plain = Capture(d.Button(), fill);
            const auto count = [&](COLORREF c) { return std::count(plain.begin(), plain.end(), c); };
            EXPECT_EQ(count(GetSysColor(COLOR_BTNFACE)) > kWidth * kHeight / 2, system) << "system face";
            EXPECT_EQ(count(hotLight) > 0, system && hot) << "hot caption";
            SetFocus(d.Button());
            const std::vector<COLORREF> focused = Capture(d.Button(), fill);
            int changed = 0, misplaced = 0;
            for (int y = 0; y < kHeight; ++y)
                for (int x = 0; x < kWidth; ++x) {
                    if (plain[y * kWidth + x] == focused[y * kWidth + x]) continue;
                    ++changed;
                    if (!OnBorder(focus, x, y)) ++misplaced;
                }
            // A dotted outline: every other pixel of the border at least.
            const int border = 2 * (focus.right - focus.left) + 2 * (focus.bottom - focus.top) - 4;
            EXPECT_GE(changed, border / 2 - 2);
            EXPECT_EQ(misplaced, 0);
        }
        MoveAway(d);
      }
        // Pushed by the space bar: focused, yet no rectangle (compared
        // with the same picture drawn while the focus is elsewhere).
        SetFocus(d.Button());
        SendMessageA(d.Button(), WM_KEYDOWN, VK_SPACE, 0);
        ASSERT_TRUE(d.button.IsPressing());
        const std::vector<COLORREF> pushedFocused = Capture(d.Button(), fill);
        const Strip strip;
        EXPECT_EQ(Differences(pushedFocused, ExpectedDrawing(strip, 1, fill, 2, RGB(0, 0, 0)), "pushed"), 0);
        SendMessageA(d.Button(), WM_KEYUP, VK_SPACE, 0);
    });
}

TEST(ImageButton, FullClickSendsExactlyOneClick) {
    RunDialog([&](ButtonDialog& d) {
        ClickAt(d.ButtonToScreen(kWidth / 2, kHeight / 2));
        EXPECT_EQ(d.clicks, 1);
        EXPECT_TRUE(d.dialogPresses.empty());
        EXPECT_FALSE(d.button.IsPressing());
        // A press released off the button is no click.
        SetCursorPos(d.ButtonToScreen(kWidth / 2, kHeight / 2).x, d.ButtonToScreen(0, kHeight / 2).y);
        Pump(100);
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        Pump(50);
        const POINT away = d.ButtonToScreen(kWidth / 2, kHeight + 30);
        SetCursorPos(away.x, away.y);
        Pump(50);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        Pump(200);
        EXPECT_EQ(d.clicks, 1);
        // The space bar clicks once too.
        SetFocus(d.Button());
        SendMessageA(d.Button(), WM_KEYDOWN, VK_SPACE, 0);
        SendMessageA(d.Button(), WM_KEYUP, VK_SPACE, 0);
        EXPECT_EQ(d.clicks, 2);
        EXPECT_EQ(d.otherClicks, 0);
    });
}

TEST(ImageButton, HoverAndPressFlagsFollowTheMouseTheKeysAndTheFocus) {
    RunDialog([&](ButtonDialog& d) {
        const POINT centre = d.ButtonToScreen(kWidth / 2, kHeight / 2);
        const LPARAM at = MAKELPARAM(kWidth / 2, kHeight / 2);
        EXPECT_FALSE(d.button.IsHovering());
        EXPECT_FALSE(d.button.IsPressing());

        SetCursorPos(centre.x, centre.y);
        SendMessageA(d.Button(), WM_MOUSEMOVE, 0, at);
        EXPECT_TRUE(d.button.IsHovering());
        // The press withdraws the leave request and clears hovering.
        SendMessageA(d.Button(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        EXPECT_TRUE(d.button.IsPressing());
        EXPECT_FALSE(d.button.IsHovering());
        // A move while held arms it again.
        SendMessageA(d.Button(), WM_MOUSEMOVE, MK_LBUTTON, at);
        EXPECT_TRUE(d.button.IsHovering());
        SendMessageA(d.Button(), WM_LBUTTONUP, 0, at);
        EXPECT_FALSE(d.button.IsPressing());
        // Leaving clears hovering.
        MoveAway(d);
        EXPECT_FALSE(d.button.IsHovering());

        // Space down presses; any key up ends the press.
        SetFocus(d.Button());
        SendMessageA(d.Button(), WM_KEYDOWN, 'A', 0);
        EXPECT_FALSE(d.button.IsPressing());
        SendMessageA(d.Button(), WM_KEYDOWN, VK_SPACE, 0);
        EXPECT_TRUE(d.button.IsPressing());
        SendMessageA(d.Button(), WM_KEYUP, 'A', 0);
        EXPECT_FALSE(d.button.IsPressing());

        // A press ends with the focus, whether the mouse or the space bar
        // made it: the release would go to another window.
        SendMessageA(d.Button(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        EXPECT_EQ(GetCapture(), d.Button());
        SetFocus(d.Other());
        EXPECT_FALSE(d.button.IsPressing());
        EXPECT_NE(GetCapture(), d.Button());
        SetFocus(d.Button());
        SendMessageA(d.Button(), WM_KEYDOWN, VK_SPACE, 0);
        ASSERT_TRUE(d.button.IsPressing());
        SetFocus(d.Other());
        EXPECT_FALSE(d.button.IsPressing());

        // The pointing hand, resource 503, over the button.
        SetCursor(nullptr);
        EXPECT_EQ(SendMessageA(d.Button(), WM_SETCURSOR, reinterpret_cast<WPARAM>(d.Button()),
                               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
                  TRUE);
        EXPECT_EQ(GetCursor(), LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HAND_CURSOR)));
        // Erasing draws nothing.
        Canvas c(kWidth, kHeight, RGB(1, 2, 3));
        EXPECT_EQ(SendMessageA(d.Button(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(c.dc()), 0), 0);
        EXPECT_EQ(c.At(kWidth / 2, kHeight / 2), RGB(1, 2, 3));
    });
}

TEST(ImageButton, DrawingLeavesTheBorrowedDcAsItCame) {
    RunDialog([&](ButtonDialog& d) {
        SetFocus(d.Button());  // the focus rectangle is drawn too
        const UINT states[] = {0, ODS_FOCUS, ODS_DISABLED, ODS_SELECTED | ODS_FOCUS};
        for (UINT state : states) {
            SCOPED_TRACE(state);
            Canvas c(kWidth, kHeight, RGB(0, 0, 0));
            HDC dc = c.dc();
            HFONT font = static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));
            HBRUSH brush = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
            HPEN pen = static_cast<HPEN>(GetStockObject(WHITE_PEN));
            SelectObject(dc, font);
            SelectObject(dc, brush);
            SelectObject(dc, pen);
            SetBkMode(dc, OPAQUE);
            SetBkColor(dc, RGB(11, 22, 33));
            SetTextColor(dc, RGB(44, 55, 66));
            SetROP2(dc, R2_COPYPEN);
            SetTextAlign(dc, TA_BASELINE);
            HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);

            DRAWITEMSTRUCT item = {};
            item.CtlType = ODT_BUTTON;
            item.CtlID = kButtonId;
            item.itemAction = ODA_DRAWENTIRE;
            item.itemState = state;
            item.hwndItem = d.Button();
            item.hDC = dc;
            item.rcItem = RECT{0, 0, kWidth, kHeight};
            EXPECT_TRUE(SendMessageA(d.Handle(), WM_DRAWITEM, kButtonId, reinterpret_cast<LPARAM>(&item)));

            EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
            EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
            EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
            EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), bitmap);
            EXPECT_EQ(GetBkMode(dc), OPAQUE);
            EXPECT_EQ(GetBkColor(dc), RGB(11, 22, 33));
            EXPECT_EQ(GetTextColor(dc), RGB(44, 55, 66));
            EXPECT_EQ(GetROP2(dc), R2_COPYPEN);
            EXPECT_EQ(GetTextAlign(dc), static_cast<UINT>(TA_BASELINE));
            // And it did draw: the middle of the face is no longer black.
            EXPECT_NE(c.At(5, kHeight / 2), RGB(0, 0, 0));
        }
    });
}

}  // namespace
}  // namespace brimel
