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
public:
    int drawCount = 0;
    bool attachedBeforeSubclass = false;

protected:
    void PreSubclassWindow() override { attachedBeforeSubclass = FromHandle(Handle()) == this; }
    bool OnDrawItem(DRAWITEMSTRUCT* item) override {
        ++drawCount;
        FillRect(item->hDC, &item->rcItem, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return true;
    }
};

class CountingEdit : public Window {
public:
    int charMessages = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CHAR) ++charMessages;
        return Window::WindowProc(message, wParam, lParam);
    }
};

// A dialog whose test steps run from inside its own modal loop.
class ScriptedDialog : public Dialog {
public:
    explicit ScriptedDialog(HWND parent = nullptr) : Dialog(kTestDialog, parent) {}
    std::function<void(ScriptedDialog&)> onInit;
    std::function<void(ScriptedDialog&, int step)> onStep;
    DrawingButton button;
    CountingEdit edit;
    Window label;
    int preTranslated = 0;
    int okCount = 0;
    bool visibleWhenRunning = false;

    void Step(int n) { PostMessageA(Handle(), kStep, n, 0); }

protected:
    void DoDataExchange() override {
        BindControl(kDrawButton, button);
        BindControl(kEdit, edit);
        BindControl(kLabel, label);
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
    ScriptedDialog dialog;
    dialog.onInit = [](ScriptedDialog& d) { d.Step(1); };
    dialog.onStep = [](ScriptedDialog& d, int step) {
        if (step == 1) {
            EXPECT_EQ(Window::FromHandle(d.button.Handle()), &d.button);
            EXPECT_EQ(WindowAs<DrawingButton>(d.button.Handle()), &d.button);
            EXPECT_EQ(WindowAs<DrawingButton>(d.edit.Handle()), nullptr);
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

TEST(Framework, DialogEndedWhileInitialisingIsNeverShown) {
    ScriptedDialog dialog;
    HWND seen = nullptr;
    dialog.onInit = [&](ScriptedDialog& d) {
        seen = d.Handle();
        d.EndDialog(IDCANCEL);
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_FALSE(IsWindow(seen));
    EXPECT_FALSE(dialog.visibleWhenRunning);
}

TEST(Framework, EscapeCancelsAndEnterGoesToOnOK) {
    ScriptedDialog dialog;
    dialog.onInit = [](ScriptedDialog& d) { d.Step(1); };
    dialog.onStep = [](ScriptedDialog& d, int step) {
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
    ScriptedDialog dialog(owner);
    bool ownerEnabledDuring = true;
    dialog.onInit = [&](ScriptedDialog& d) {
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
    ScriptedDialog dialog;
    dialog.onInit = [](ScriptedDialog&) { PostQuitMessage(7); };
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
