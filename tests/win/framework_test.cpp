// The window framework: binding objects to windows, the modal loop, and the
// GDI owners.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

#include "framework/application.h"
#include "framework/dialog.h"
#include "framework/gdi.h"

namespace brimel {
namespace {

constexpr UINT kTestDialog = 9001;
constexpr int kDrawButton = 9002, kEdit = 9003, kLabel = 9004;
constexpr UINT kStep = WM_APP + 1;

class DrawingButton : public Window {
    BRIMEL_DECLARE_CLASS(DrawingButton)

public:
    int drawCount = 0;
    int clicks = 0;
    bool attachedBeforeSubclass = false;

protected:
    void PreSubclassWindow() override { attachedBeforeSubclass = FromHandle(Handle()) == this; }
    bool OnDrawItem(DRAWITEMSTRUCT* item) override {
        ++drawCount;
        FillRect(item->hDC, &item->rcItem, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return true;
    }
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) ++clicks;
        return Window::OnChildNotify(message, wParam, lParam, result);
    }
};
BRIMEL_IMPLEMENT_CLASS(DrawingButton, Window)

// Derives from the drawing button: found through its base's record.
class FancyButton : public DrawingButton {
    BRIMEL_DECLARE_CLASS(FancyButton)
};
BRIMEL_IMPLEMENT_CLASS(FancyButton, DrawingButton)

// A label that answers its colour message itself and counts its clicks.
class ColouredLabel : public Window {
    BRIMEL_DECLARE_CLASS(ColouredLabel)

public:
    int colourRequests = 0;
    int clicks = 0;

protected:
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT* result) override {
        if (message == WM_CTLCOLORSTATIC) {
            ++colourRequests;
            *result = reinterpret_cast<LRESULT>(GetStockObject(GRAY_BRUSH));
            return true;
        }
        if (message == WM_COMMAND && HIWORD(wParam) == STN_CLICKED) {
            ++clicks;
            return true;
        }
        return false;
    }
};
BRIMEL_IMPLEMENT_CLASS(ColouredLabel, Window)

class CountingEdit : public Window {
public:
    int charMessages = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CHAR) ++charMessages;
        return Window::WindowProc(message, wParam, lParam);
    }
};

// A dialog whose test steps run from inside its own modal loop, counting
// what the framework hands it; the framework's own fixture, not the
// scripted dialog the control tests share.
class SteppedDialog : public Dialog {
public:
    explicit SteppedDialog(HWND parent = nullptr) : Dialog(kTestDialog, parent) {}
    std::function<void(SteppedDialog&)> onInit;
    std::function<void(SteppedDialog&, int step)> onStep;
    DrawingButton button;
    CountingEdit edit;
    ColouredLabel label;
    Window unnamed;
    int preTranslated = 0;
    int okCount = 0;
    int commands = 0;
    bool visibleWhenRunning = false;

    void Step(int n) { PostMessageA(Handle(), kStep, n, 0); }

protected:
    void DoDataExchange() override {
        BindControl(kDrawButton, button);
        BindControl(kEdit, edit);
        BindControl(kLabel, label);
        BindControl(-1, unnamed);
    }
    bool OnCommand(WORD id, WORD code, HWND control) override {
        ++commands;
        return Dialog::OnCommand(id, code, control);
    }
    BOOL OnInitDialog() override {
        if (onInit) onInit(*this);
        return TRUE;
    }
    void OnOK() override { ++okCount; }
    bool PreTranslateMessage(MSG*) override {
        ++preTranslated;
        return false;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kStep) {
            visibleWhenRunning = visibleWhenRunning || IsWindowVisible(Handle());
            if (onStep) onStep(*this, static_cast<int>(wParam));
            return 0;
        }
        return Dialog::WindowProc(message, wParam, lParam);
    }
};

TEST(Framework, BindsControlsAndHandsDrawingBackToTheControl) {
    SteppedDialog dialog;
    dialog.onInit = [](SteppedDialog& d) { d.Step(1); };
    dialog.onStep = [](SteppedDialog& d, int step) {
        if (step == 1) {
            EXPECT_EQ(Window::FromHandle(d.button.Handle()), &d.button);
            EXPECT_EQ(WindowAs<DrawingButton>(d.button.Handle()), &d.button);
            EXPECT_EQ(WindowAs<Dialog>(d.Handle()), &d);
            RedrawWindow(d.button.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            EXPECT_GE(d.button.drawCount, 1);
            // Typing reaches the bound edit through the dialog's loop.
            SetFocus(d.edit.Handle());
            PostMessageA(d.edit.Handle(), WM_KEYDOWN, 'A', 0);
            d.Step(2);
        } else if (step == 2) {
            d.Step(3);  // the character message is queued behind this step
        } else {
            EXPECT_GE(d.edit.charMessages, 1);
            d.EndDialog(42);
        }
    };
    EXPECT_EQ(dialog.DoModal(), 42);
    EXPECT_TRUE(dialog.button.attachedBeforeSubclass);
    EXPECT_TRUE(dialog.visibleWhenRunning);
    EXPECT_GT(dialog.preTranslated, 0);
    // The windows are gone and the objects let go of them.
    EXPECT_EQ(dialog.button.Handle(), nullptr);
    EXPECT_EQ(dialog.Handle(), nullptr);
}

TEST(Framework, ClassRecordsAnswerWhatAWindowIs) {
    HWND plain = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    HWND fancyWindow = CreateWindowExA(0, "BUTTON", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                       GetModuleHandleA(nullptr), nullptr);
    HWND labelWindow = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                       GetModuleHandleA(nullptr), nullptr);
    FancyButton fancy;
    ColouredLabel label;
    ASSERT_TRUE(fancy.Attach(fancyWindow));
    ASSERT_TRUE(label.Attach(labelWindow));
    EXPECT_EQ(WindowAs<FancyButton>(fancyWindow), &fancy);
    EXPECT_EQ(WindowAs<DrawingButton>(fancyWindow), &fancy) << "found through its base";
    EXPECT_EQ(WindowAs<Window>(fancyWindow), &fancy);
    EXPECT_EQ(WindowAs<DrawingButton>(labelWindow), nullptr) << "an unrelated class";
    EXPECT_EQ(WindowAs<FancyButton>(plain), nullptr) << "a window without an object";
    EXPECT_EQ(WindowAs<Window>(plain), nullptr);
    EXPECT_EQ(WindowAs<Dialog>(fancyWindow), nullptr);
    EXPECT_STREQ(fancy.GetClassRecord()->name, "FancyButton");
    fancy.Detach();
    label.Detach();
    for (HWND w : {plain, fancyWindow, labelWindow}) DestroyWindow(w);
}

TEST(Framework, ChildMessagesReachTheChildsObject) {
    SteppedDialog dialog;
    dialog.onInit = [](SteppedDialog& d) { d.Step(1); };
    dialog.onStep = [](SteppedDialog& d, int) {
        // The unnamed control of the template (id -1) is bound too.
        EXPECT_NE(d.unnamed.Handle(), nullptr);
        char text[16] = "";
        GetWindowTextA(d.unnamed.Handle(), text, sizeof text);
        EXPECT_STREQ(text, "No id");
        EXPECT_EQ(d.unnamed.WindowText(), "No id");

        HDC dc = GetDC(d.label.Handle());
        const LRESULT brush = SendMessageA(d.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                           reinterpret_cast<LPARAM>(d.label.Handle()));
        ReleaseDC(d.label.Handle(), dc);
        EXPECT_EQ(d.label.colourRequests, 1);
        EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetStockObject(GRAY_BRUSH)));

        // A click notification: the button's object sees it and the dialog
        // still gets its command; the label handles its own and the dialog
        // sees none.
        const int commandsBefore = d.commands;
        SendMessageA(d.button.Handle(), BM_CLICK, 0, 0);
        EXPECT_EQ(d.button.clicks, 1);
        EXPECT_EQ(d.commands, commandsBefore + 1);
        SendMessageA(d.Handle(), WM_COMMAND, MAKEWPARAM(kLabel, STN_CLICKED),
                     reinterpret_cast<LPARAM>(d.label.Handle()));
        EXPECT_EQ(d.label.clicks, 1);
        EXPECT_EQ(d.commands, commandsBefore + 1);
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
}

TEST(Framework, DialogDestroyedByAnyPathEndsItsLoop) {
    SteppedDialog dialog;
    dialog.onInit = [](SteppedDialog& d) { d.Step(1); };
    dialog.onStep = [](SteppedDialog& d, int) { DestroyWindow(d.Handle()); };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_FALSE(dialog.IsRunning());
    EXPECT_EQ(dialog.Handle(), nullptr);
}

TEST(Framework, DialogEndedWhileInitialisingIsNeverShown) {
    SteppedDialog dialog;
    HWND seen = nullptr;
    dialog.onInit = [&](SteppedDialog& d) {
        seen = d.Handle();
        d.EndDialog(IDCANCEL);
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_FALSE(IsWindow(seen));
    EXPECT_FALSE(dialog.visibleWhenRunning);
}

TEST(Framework, EscapeCancelsAndEnterGoesToOnOK) {
    SteppedDialog dialog;
    dialog.onInit = [](SteppedDialog& d) { d.Step(1); };
    dialog.onStep = [](SteppedDialog& d, int step) {
        if (step == 1) {
            SetFocus(d.edit.Handle());
            PostMessageA(d.edit.Handle(), WM_KEYDOWN, VK_RETURN, 0);
            d.Step(2);
        } else if (step == 2) {
            EXPECT_EQ(d.okCount, 1);
            EXPECT_TRUE(d.IsRunning());
            PostMessageA(d.edit.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
            d.Step(3);
        } else {
            ADD_FAILURE() << "Escape did not end the dialog";
            d.EndDialog(0);
        }
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST(Framework, OwnerIsDisabledWhileModalAndEnabledAfter) {
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(owner, nullptr);
    SteppedDialog dialog(owner);
    bool ownerEnabledDuring = true;
    dialog.onInit = [&](SteppedDialog& d) {
        ownerEnabledDuring = IsWindowEnabled(owner);
        EXPECT_EQ(GetWindow(d.Handle(), GW_OWNER), owner);
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_FALSE(ownerEnabledDuring);
    EXPECT_TRUE(IsWindowEnabled(owner));
    DestroyWindow(owner);
}

TEST(Framework, QuitMessageEndsTheLoopAndIsPassedOn) {
    SteppedDialog dialog;
    dialog.onInit = [](SteppedDialog&) { PostQuitMessage(7); };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST(Framework, MissingTemplateFails) {
    Dialog dialog(4242, nullptr);
    EXPECT_EQ(dialog.DoModal(), -1);
}

TEST(Framework, DetachRestoresThePreviousProcedure) {
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    const LONG_PTR original = GetWindowLongPtrA(edit, GWLP_WNDPROC);
    {
        CountingEdit object;
        ASSERT_TRUE(object.Attach(edit));
        EXPECT_NE(GetWindowLongPtrA(edit, GWLP_WNDPROC), original);
        CountingEdit second;
        EXPECT_FALSE(second.Attach(edit)) << "a window has one object";
        SendMessageA(edit, WM_CHAR, 'x', 0);
        EXPECT_EQ(object.charMessages, 1);
    }
    EXPECT_EQ(GetWindowLongPtrA(edit, GWLP_WNDPROC), original);
    EXPECT_EQ(Window::FromHandle(edit), nullptr);
    DestroyWindow(edit);
}

// A procedure installed over a bound window by someone else.
WNDPROC g_underForeign = nullptr;
int g_foreignCalls = 0;
LRESULT CALLBACK ForeignProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ++g_foreignCalls;
    return CallWindowProcA(g_underForeign, hwnd, message, wParam, lParam);
}

TEST(Framework, DetachUnderAForeignProcedureKeepsTheWindowWorking) {
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    {
        CountingEdit object;
        ASSERT_TRUE(object.Attach(edit));
        g_underForeign = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForeignProc)));
    }
    // The object is gone; the edit control's own procedure still answers.
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed"));
    char text[16] = "";
    SendMessageA(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "typed");
    EXPECT_GT(g_foreignCalls, 0);
    // A new object takes the messages up again under the foreign procedure.
    CountingEdit again;
    ASSERT_TRUE(again.Attach(edit));
    SendMessageA(edit, WM_CHAR, 'x', 0);
    EXPECT_EQ(again.charMessages, 1);
    again.Detach();
    DestroyWindow(edit);
}

// Notes the creation messages that reach the object of a window made by Create.
class CreatedWindow : public Window {
public:
    std::vector<UINT> seen;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_NCCREATE || message == WM_CREATE || message == WM_SIZE) seen.push_back(message);
        return Window::WindowProc(message, wParam, lParam);
    }
};

TEST(Framework, CreatedWindowIsBoundFromItsFirstMessage) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = Window::ClassProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "BrimelCreatedWindow";
    ASSERT_TRUE(RegisterClassA(&windowClass));
    CreatedWindow window;
    ASSERT_TRUE(window.Create("BrimelCreatedWindow", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 80, windowClass.hInstance));
    ShowWindow(window.Handle(), SW_SHOWNOACTIVATE);  // an overlapped window's first WM_SIZE
    window.seen.resize(3);
    EXPECT_EQ(window.seen, (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_SIZE}));
    DestroyWindow(window.Handle());
}

TEST(Gdi, SnapshotGivesTheContextItsOriginalBitmapBack) {
    HDC screen = GetDC(nullptr);
    MemoryDC source(screen);
    Bitmap picture(CreateCompatibleBitmap(screen, 16, 16));
    ReleaseDC(nullptr, screen);
    SelectIn selected(source.Get(), picture.Get());
    SetPixel(source.Get(), 3, 4, RGB(10, 200, 30));
    Snapshot snapshot;
    ASSERT_TRUE(snapshot.Take(source.Get(), 0, 0, 16, 16));
    HDC kept = snapshot.Dc();
    const HGDIOBJ copy = GetCurrentObject(kept, OBJ_BITMAP);
    EXPECT_EQ(GetPixel(kept, 3, 4), RGB(10, 200, 30));
    EXPECT_EQ(snapshot.Width(), 16);
    // The context's original bitmap is the 1 x 1 stock one; it must come
    // back before the copy is deleted.
    HDC probe = CreateCompatibleDC(nullptr);
    const HGDIOBJ stock = GetCurrentObject(probe, OBJ_BITMAP);
    DeleteDC(probe);
    EXPECT_NE(copy, stock);
    snapshot.Reset();
    EXPECT_FALSE(snapshot);
    EXPECT_EQ(GetObjectType(copy), 0u) << "the copy's bitmap was deleted";
    EXPECT_EQ(GetObjectType(stock), static_cast<DWORD>(OBJ_BITMAP)) << "the stock bitmap is intact";
    EXPECT_FALSE(snapshot.Take(source.Get(), 0, 0, 0, 16)) << "nothing to copy";
}

TEST(Gdi, SelectInRefusesARegion) {
    HDC screen = GetDC(nullptr);
    MemoryDC dc(screen);
    ReleaseDC(nullptr, screen);
    Region region(CreateRectRgn(0, 0, 2, 2));
    HRGN clip = CreateRectRgn(0, 0, 0, 0);
    {
        SelectIn selected(dc.Get(), static_cast<HGDIOBJ>(region.Get()));
        EXPECT_EQ(GetClipRgn(dc.Get(), clip), 0) << "no clip region was set";
    }
    DeleteObject(clip);
}

TEST(Gdi, SelectionsAreUndoneAndOwnersDeleteWhatTheyHold) {
    HDC screen = GetDC(nullptr);
    MemoryDC dc(screen);
    ReleaseDC(nullptr, screen);
    ASSERT_TRUE(dc);
    const HGDIOBJ fontBefore = GetCurrentObject(dc.Get(), OBJ_FONT);
    const HGDIOBJ bitmapBefore = GetCurrentObject(dc.Get(), OBJ_BITMAP);
    HBITMAP raw;
    {
        Bitmap bitmap(CreateBitmap(8, 8, 1, 1, nullptr));
        raw = bitmap.Get();
        Font font(static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT)));
        SelectIn selectBitmap(dc.Get(), bitmap.Get());
        {
            SelectIn selectFont(dc.Get(), font.Get());
            EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), font.Get());
        }
        EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), fontBefore);
        EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BITMAP), raw);
        font.Release();  // a stock object is borrowed, never deleted
    }
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BITMAP), bitmapBefore);
    EXPECT_EQ(GetObjectType(raw), 0u) << "the bitmap owner deletes its bitmap";

    Brush first(CreateSolidBrush(RGB(1, 2, 3)));
    HBRUSH firstRaw = first.Get();
    Brush second(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(second.Get(), firstRaw);
    second.Reset(CreateSolidBrush(RGB(4, 5, 6)));
    EXPECT_EQ(GetObjectType(firstRaw), 0u);
}

TEST(Application, IsReachableAsTheCurrentOne) {
    Application* before = CurrentApplication();
    {
        Application app;
        EXPECT_EQ(CurrentApplication(), &app);
        EXPECT_EQ(app.Run(GetModuleHandleA(nullptr)), 0) << "no message loop when InitInstance is false";
        EXPECT_EQ(ResourceInstance(), GetModuleHandleA(nullptr));
    }
    EXPECT_EQ(CurrentApplication(), nullptr);
    (void)before;
}

}  // namespace
}  // namespace brimel
