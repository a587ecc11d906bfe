// The skinned dialog base and the message dialogs in real dialogs: skin
// colours and pictures, own controls recoloured wherever they sit, image
// button faces, Enter on an image button, cursors; the message dialog's
// size, buttons and results.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleacc.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/setup_app.h"
#include "framework/high_contrast.h"
#include "resource.h"
#include "support/canvas.h"
#include "support/test_support.h"
#include "support/ui_driving.h"
#include "ui/controls/multi_color_static.h"
#include "ui/controls/picture.h"
#include "ui/controls/radio_check_button.h"
#include "ui/dialogs/message_dialog.h"
#include "ui/dialogs/skinned_dialog.h"
#include "ui/draw/image_button.h"

namespace brimel {
namespace {

constexpr UINT kDialogId = 6001;
constexpr int kLabel = 6002, kTick = 6003, kGo = 6004, kEdit = 6005, kPanel = 6006;

class AppEnvironment : public testing::Environment {
public:
    void SetUp() override {
        OleInitialize(nullptr);
        app.LoadSharedResources();
    }
    SetupApp app;
};
AppEnvironment* const kApp =
    static_cast<AppEnvironment*>(testing::AddGlobalTestEnvironment(new AppEnvironment));

using test::Pump;

// The colour on screen at a point of a window's client area.
COLORREF ScreenPixel(HWND hwnd, int x, int y) {
    HDC dc = GetDC(hwnd);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return colour;
}

// A skinned dialog whose test script runs from inside its modal loop.
class TestDialog : public BDialog {
public:
    explicit TestDialog(std::function<void(TestDialog&)> script)
        : BDialog(kDialogId, nullptr), script_(std::move(script)) {}
    CMultiColorStatic label, nested;
    BRadioCheckButton tick;
    BImageButton go;
    int goClicks = 0, okCommands = 0;

protected:
    void DoDataExchange() override {
        BindControl(kLabel, label);
        BindControl(kTick, tick);
        BindControl(kGo, go);
    }
    BOOL OnInitDialog() override {
        BDialog::OnInitDialog();
        // A label inside a child window of the dialog.
        HWND panel = GetDlgItem(Handle(), kPanel);
        HWND inner = CreateWindowExA(0, "STATIC", "Inner", WS_CHILD | WS_VISIBLE, 4, 4, 80, 16, panel,
                                     nullptr, GetModuleHandleA(nullptr), nullptr);
        nested.Attach(inner);
        PostMessageA(Handle(), WM_APP, 0, 0);
        return TRUE;
    }
    bool OnCommand(WORD id, WORD code, HWND control) override {
        if (id == kGo && code == BN_CLICKED) ++goClicks;
        if (id == IDOK) ++okCommands;
        if (id == IDOK || id == kGo) return true;
        return BDialog::OnCommand(id, code, control);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_APP) {
            SetForegroundWindow(Handle());
            UpdateWindow(Handle());
            script_(*this);
            EndDialog(IDOK);
            return 0;
        }
        return BDialog::WindowProc(message, wParam, lParam);
    }

private:
    std::function<void(TestDialog&)> script_;
};

TEST(SkinnedDialog, Skin801IsWhiteWithBlackTextInEveryOwnControl) {
    TestDialog dialog([](TestDialog& d) {
        d.label.SetLook({RGB(1, 2, 3), kNoColor, kNoColor});
        d.nested.SetLook({RGB(1, 2, 3), kNoColor, kNoColor});
        d.tick.SetLook({RGB(1, 2, 3), kNoColor, kNoColor});
        d.SetSkin(801);
        Pump(100);
        EXPECT_EQ(d.label.Look().text, RGB(0, 0, 0));
        EXPECT_EQ(d.nested.Look().text, RGB(0, 0, 0)) << "a label inside a child window";
        EXPECT_EQ(ScreenPixel(d.Handle(), 3, 3), RGB(255, 255, 255));
        const RECT client = d.ClientRect();
        EXPECT_EQ(ScreenPixel(d.Handle(), client.right - 3, client.bottom - 3), RGB(255, 255, 255));
        EXPECT_EQ(d.label.RunCount(), 1) << "the window text was taken";
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
}

TEST(SkinnedDialog, OtherSkinsTileThePictureAndUseTheMenuTextColour) {
    // The picture as it decodes, drawn at its natural size.
    test::Canvas tile(300, 200);
    Picture picture;
    ASSERT_TRUE(picture.LoadFromResource(IDP_BACKGROUND_JPEG, "A"));
    ASSERT_TRUE(picture.DrawAt(tile.dc(), 0, 0));
    TestDialog dialog([&](TestDialog& d) {
        d.SetSkin(601);
        Pump(100);
        EXPECT_EQ(d.label.Look().text, GetSysColor(COLOR_MENUTEXT));
        const RECT client = d.ClientRect();
        ASSERT_GT(client.right, 300 + 20);
        // The 300 x 200 picture repeats from the client origin, each tile
        // overlapping the one before by a pixel, so every 299 x 199 pixels;
        // it is the picture itself (its decoder may round a colour a little).
        auto similar = [](COLORREF a, COLORREF b) {
            for (int shift : {0, 8, 16})
                if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 12)
                    return false;
            return true;
        };
        const POINT points[] = {{2, 2}, {180, 40}, {298, 160}, {17, 198}};  // clear of the controls
        for (const POINT& p : points) {
            const COLORREF here = ScreenPixel(d.Handle(), p.x, p.y);
            EXPECT_TRUE(similar(here, tile.At(p.x, p.y))) << p.x << "," << p.y << ": " << std::hex << here;
            if (p.x + 299 < client.right) EXPECT_EQ(ScreenPixel(d.Handle(), p.x + 299, p.y), here) << p.x;
            if (p.y + 199 < client.bottom) EXPECT_EQ(ScreenPixel(d.Handle(), p.x, p.y + 199), here) << p.y;
        }
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
}

TEST(SkinnedDialog, EverySkinGivesImageButtonsTheStandardFace) {
    TestDialog dialog([](TestDialog& d) {
        BImageButton reference;
        HWND other = CreateWindowExA(0, "BUTTON", "", WS_CHILD, 0, 0, 10, 10, d.Handle(), nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
        const RECT size = d.go.ClientRect();
        SetWindowPos(other, nullptr, 0, 0, size.right, size.bottom, SWP_NOMOVE | SWP_NOZORDER);
        ASSERT_TRUE(reference.Attach(other));
        ASSERT_TRUE(reference.ApplyDefaultSkin());
        const auto standard = test::ReadBitmap(reference.StateImage(ButtonPicture::Normal));
        for (int skin : {801, 601}) {
            ASSERT_TRUE(d.go.SetBitmaps(IDB_CHECK_GLYPHS, 4, 2, 2, 2, 2));
            EXPECT_NE(test::ReadBitmap(d.go.StateImage(ButtonPicture::Normal)), standard);
            d.SetSkin(skin);
            EXPECT_EQ(test::ReadBitmap(d.go.StateImage(ButtonPicture::Normal)), standard) << skin;
        }
        reference.Detach();
        DestroyWindow(other);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
}

TEST(SkinnedDialog, HighContrastDrawsEveryOwnControlInTheSystemColours) {
    // Wine never reports high contrast: the test turns it on itself, then
    // gives the roles colours no skin has; the change reaches the dialog.
    const INT roles[] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_BTNTEXT};
    const COLORREF system[] = {RGB(10, 20, 30), RGB(250, 250, 5), RGB(40, 0, 40), RGB(0, 250, 250)};
    COLORREF before[4];
    for (int i = 0; i < 4; ++i) before[i] = GetSysColor(roles[i]);
    bool (*const reader)() = highContrastReader;
    TestDialog dialog([&](TestDialog& d) {
        d.SetSkin(801);
        highContrastReader = [] { return true; };
        SetSysColors(4, roles, system);
        Pump(200);
        EXPECT_EQ(ScreenPixel(d.Handle(), 3, 3), system[0]) << "background";
        EXPECT_GT(test::Grab(d.label.Handle()).Count(system[1]), 10) << "label";
        EXPECT_EQ(test::Grab(d.tick.Handle()).At(6, 7), system[0]) << "the system's check box";
        const test::ClientPixels go = test::Grab(d.go.Handle());
        EXPECT_GT(go.Count(system[2]), go.width * go.height / 2) << "the system's button face";
        EXPECT_GT(go.Count(system[3]), 10) << "caption";
        highContrastReader = reader;
        SetSysColors(4, roles, before);
        Pump(200);
        EXPECT_EQ(ScreenPixel(d.Handle(), 3, 3), RGB(255, 255, 255)) << "the skin's again";
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    highContrastReader = reader;
}

TEST(SkinnedDialog, EnterOnAnImageButtonClicksItOnce) {
    TestDialog dialog([](TestDialog& d) {
        SetFocus(d.go.Handle());
        PostMessageA(d.go.Handle(), WM_KEYDOWN, VK_RETURN, 0);
        Pump(100, &d);
        EXPECT_EQ(d.goClicks, 1);
        const int okBefore = d.okCommands;
        SetFocus(GetDlgItem(d.Handle(), kEdit));
        PostMessageA(GetDlgItem(d.Handle(), kEdit), WM_KEYDOWN, VK_RETURN, 0);
        Pump(100, &d);
        EXPECT_EQ(d.goClicks, 1) << "Enter elsewhere clicks no image button";
        EXPECT_EQ(d.okCommands, okBefore + 1) << "the dialog's own Enter handling";
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
}

TEST(SkinnedDialog, ArrowInsideTheClientAreaButtonsKeepTheirHand) {
    TestDialog dialog([](TestDialog& d) {
        const HCURSOR arrow = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_SKIN_ARROW));
        const HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HAND_CURSOR));
        struct Case { HWND over; HCURSOR expected; } cases[] = {
            {d.Handle(), arrow}, {d.label.Handle(), arrow}, {d.go.Handle(), hand}, {d.tick.Handle(), hand}};
        for (const Case& c : cases) {
            RECT r;
            GetWindowRect(c.over, &r);
            // A point inside the window but clear of the dialog's child controls.
            POINT p = {c.over == d.Handle() ? r.right - 8 : r.left + 3, c.over == d.Handle() ? r.bottom - 8 : r.top + 3};
            SetCursorPos(p.x, p.y);
            SetCursor(nullptr);
            SendMessageA(c.over, WM_SETCURSOR, reinterpret_cast<WPARAM>(c.over), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            EXPECT_EQ(GetCursor(), c.expected) << GetDlgCtrlID(c.over);
        }
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
}

// What a test does to the dialog that is open, from inside its modal loop.
std::function<void(HWND)> g_script;
const char* g_caption = nullptr;
void CALLBACK RunScript(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    // Leaves the dialog on screen a while, for a screenshot taken from outside.
    if (const char* hold = std::getenv("BRIMEL_HOLD_DIALOG_MS")) Pump(static_cast<DWORD>(std::atoi(hold)));
    HWND dialog = FindWindowA(nullptr, g_caption);
    if (dialog == nullptr) {
        ADD_FAILURE() << "no dialog titled " << g_caption;
        return;
    }
    g_script(dialog);
}
void ScriptNextDialog(const char* caption, std::function<void(HWND)> script) {
    g_caption = caption;
    g_script = std::move(script);
    SetTimer(nullptr, 0, 50, &RunScript);
}

int RunMessage(const String& text, int mode, std::function<void(HWND)> script) {
    ScriptNextDialog("Brimel Messenger Setup", std::move(script));
    return ShowMessageText(text, mode);
}

RECT ClientRectOf(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST(MessageDialog, SizesItselfToTheText) {
    const int lineHeight = [] {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, kApp->app.dialogFont.Get());
        SIZE a;
        GetTextExtentPoint32A(dc, "A", 1, &a);
        SelectObject(dc, old);
        DeleteDC(dc);
        return static_cast<int>(a.cy);
    }();
    String forty;
    for (int i = 0; i < 40; ++i) forty += "line\n";
    const String notice = LoadResString(IDS_UNABLE_TO_INSTALL) + LoadResString(IDS_CHECK_RIGHTS) +
                               LoadResString(IDS_EXIT_MESSENGER) + LoadResString(IDS_NOTIFY_SUPPORT);
    struct Case { const char* name; String text; int lines; } cases[] = {
        {"one line", "Short.", 0}, {"four lines", "a\nb\nc\nd", 4}, {"forty lines", forty, 25},
        {"failure notice", notice, -1}};
    RECT templateRect = {0, 0, 254, 58};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RunMessage(c.text, kButtonsOk, [&](HWND dialog) {
            RECT window, client;
            GetWindowRect(dialog, &window);
            GetClientRect(dialog, &client);
            HWND ok = GetDlgItem(dialog, IDOK);
            const RECT okRect = ClientRectOf(ok);
            if (c.lines == 0) {
                RECT expected = templateRect;
                MapDialogRect(dialog, &expected);
                EXPECT_EQ(client.right, expected.right);
                EXPECT_EQ(client.bottom, expected.bottom);
                EXPECT_GT(okRect.left, client.right / 2) << "OK at the lower right";
                EXPECT_GT(okRect.top, client.bottom / 2);
            } else if (c.lines > 0) {
                EXPECT_EQ(window.bottom - window.top, lineHeight * c.lines + 90);
                EXPECT_EQ(okRect.top, client.bottom - 30);
            } else {
                RECT expected = templateRect;
                MapDialogRect(dialog, &expected);
                EXPECT_GT(client.bottom, expected.bottom) << "the notice enlarges the dialog";
            }
            EXPECT_TRUE(IsWindowVisible(ok));
            EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_YES_BUTTON)));
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        });
    }
}

TEST(MessageDialog, ReportsWhatTheUserChose) {
    using Action = std::function<void(HWND)>;
    auto click = [](int id) { return Action([id](HWND d) { SendMessageA(GetDlgItem(d, id), BM_CLICK, 0, 0); }); };
    auto enterOn = [](int id) {
        return Action([id](HWND d) {
            SetFocus(GetDlgItem(d, id));
            PostMessageA(GetDlgItem(d, id), WM_KEYDOWN, VK_RETURN, 0);
        });
    };
    struct Case { const char* name; int mode; Action action; int result; } cases[] = {
        {"Yes", kButtonsYesNo, click(IDC_YES_BUTTON), kResultYes},
        {"No", kButtonsYesNo, click(IDC_NO_BUTTON), kResultNo},
        {"OK", kButtonsOk, click(IDOK), kResultCancel},
        {"Enter on Yes", kButtonsYesNo, enterOn(IDC_YES_BUTTON), kResultYes},
        {"Enter on No", kButtonsYesNo, enterOn(IDC_NO_BUTTON), kResultNo},
        {"Enter on OK", kButtonsOk, enterOn(IDOK), kResultCancel},
        {"Escape", kButtonsYesNo, Action([](HWND d) { PostMessageA(GetFocus() ? GetFocus() : d, WM_KEYDOWN, VK_ESCAPE, 0); }), kResultCancel},
        {"close box", kButtonsYesNo, Action([](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }), kResultCancel},
    };
    for (const Case& c : cases) EXPECT_EQ(RunMessage("Question?", c.mode, c.action), c.result) << c.name;
}

TEST(RichEditNoticeDialog, ItsLinkOpensTheUpdatePage) {
    // Web addresses open, for this test only, through a batch file that
    // writes the address it was given to a marker file: no browser starts.
    test::TempFolder folder("notice_link");
    const String marker = folder / "opened.txt";
    const String script = test::WriteMarkerScript(folder, marker, "%~1");
    ASSERT_FALSE(script.empty());
    const char kHandlerKey[] = "http\\shell\\open\\command";
    const String command = "\"" + script + "\" \"%1\"";
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, kHandlerKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    char previous[1024] = "";
    DWORD previousSize = sizeof previous;
    const bool hadPrevious =
        RegQueryValueExA(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(previous), &previousSize) == ERROR_SUCCESS;
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>(command.size() + 1));

    // Pressed, and opened as an assistive tool does, through its default action.
    for (const bool byTool : {false, true}) {
        DeleteFileA(marker.c_str());
        ScriptNextDialog("Brimel Messenger", [&](HWND dialog) {
            HWND linkWindow = GetDlgItem(dialog, IDC_UPDATE_LINK);
            CMultiColorStatic* link = WindowAs<CMultiColorStatic>(linkWindow);
            ASSERT_NE(link, nullptr);
            EXPECT_EQ(link->Link(), LoadResString(IDS_UPDATE_PAGE));
            if (byTool) {
                IAccessible* object = nullptr;
                ASSERT_EQ(AccessibleObjectFromWindow(linkWindow, OBJID_CLIENT, IID_IAccessible,
                                                     reinterpret_cast<void**>(&object)),
                          S_OK);
                VARIANT self, role;
                self.vt = VT_I4;
                self.lVal = CHILDID_SELF;
                VariantInit(&role);
                object->get_accRole(self, &role);
                EXPECT_EQ(role.lVal, ROLE_SYSTEM_LINK);
                EXPECT_EQ(object->accDoDefaultAction(self), S_OK);
                object->Release();
            } else {
                SendMessageA(linkWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
                SendMessageA(linkWindow, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
            }
            EXPECT_TRUE(test::PumpUntil([&] { return test::FileExists(marker); }, 15000)) << "not opened";
            PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        });
        RichEditNoticeDialog notice;
        EXPECT_EQ(notice.DoModal(), IDCANCEL);
        Sleep(200);  // the batch file may still be writing its marker
        std::vector<unsigned char> opened;
        ASSERT_TRUE(test::ReadBytes(marker, &opened));
        const std::string address(opened.begin(), opened.end());
        EXPECT_EQ(address.substr(0, address.find_first_of("\r\n")), LoadResString(IDS_UPDATE_PAGE).c_str());
    }
    if (hadPrevious)
        RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(previous), previousSize);
    else
        RegDeleteValueA(key, nullptr);
    RegCloseKey(key);
    EXPECT_EQ(LoadResString(IDS_UPDATE_PAGE).substr(LoadResString(IDS_UPDATE_PAGE).size() - 10), "/win98.htm");
}

}  // namespace
}  // namespace brimel
