// The license view in a real dialog: every focus gain shows the text
// unselected with the caret at the start, however the focus comes.
#include <gtest/gtest.h>
#include <windows.h>
#include <richedit.h>

#include <functional>
#include <string>

#include "framework/dialog.h"
#include "support/ui_driving.h"
#include "ui/controls/license_view.h"

namespace brimel {
namespace {

constexpr UINT kDialogId = 8001;
constexpr int kViewId = 8002, kOtherId = 8003;

// The rich edit window class comes with this library.
const HMODULE kRichEdit = LoadLibraryA("riched32.dll");

class LicenseDialog : public Dialog {
public:
    explicit LicenseDialog(std::function<void(LicenseDialog&)> script)
        : Dialog(kDialogId, nullptr), script_(std::move(script)) {}

    LicenseView view;
    HWND Other() const { return GetDlgItem(Handle(), kOtherId); }
    CHARRANGE Selection() const {
        CHARRANGE range = {-1, -1};
        view.Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
        return range;
    }

protected:
    void DoDataExchange() override { BindControl(kViewId, view); }
    BOOL OnInitDialog() override {
        std::string text;
        for (int i = 0; i < 20; ++i) text += "The licensed software is provided as it is, without warranty. ";
        SetWindowTextA(view.Handle(), text.c_str());
        PostMessageA(Handle(), WM_APP, 0, 0);
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_APP) {
            SetForegroundWindow(Handle());
            UpdateWindow(Handle());
            test::Pump(100);
            script_(*this);
            EndDialog(IDOK);
            return 0;
        }
        return Dialog::WindowProc(message, wParam, lParam);
    }

private:
    std::function<void(LicenseDialog&)> script_;
};

void RunDialog(const std::function<void(LicenseDialog&)>& script) {
    ASSERT_NE(kRichEdit, nullptr);
    SetCursorPos(1000, 740);
    bool ran = false;
    LicenseDialog dialog([&](LicenseDialog& d) {
        ran = true;
        script(d);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(ran);
}

void TabTo(HWND target) {
    test::Key(VK_TAB, true);
    test::Key(VK_TAB, false);
    EXPECT_EQ(GetFocus(), target);
}

TEST(LicenseView, AfterAMouseSelectionEveryFocusGainShowsTheTextUnselectedAtTheStart) {
    const struct {
        const char* what;
        bool byTab;
    } ways[] = {{"tabbing back", true}, {"focus set back", false}};
    for (const auto& way : ways) {
        RunDialog([&](LicenseDialog& d) {
            HWND view = d.view.Handle();
            SetFocus(d.Other());
            test::PointAt(test::OnScreen(view, 8, 8));
            test::Press();
            test::PointAt(test::OnScreen(view, 200, 20));
            test::Release();
            const CHARRANGE selected = d.Selection();
            EXPECT_GT(selected.cpMax, selected.cpMin) << way.what << ": the drag selected nothing";
            // Away to the button; back by the dialog's own Tab handling (which
            // selects an edit control's whole text first) or directly.
            SetFocus(d.Other());
            if (way.byTab)
                TabTo(view);
            else
                SetFocus(view);
            const CHARRANGE range = d.Selection();
            EXPECT_EQ(range.cpMin, 0) << way.what;
            EXPECT_EQ(range.cpMax, 0) << way.what;
        });
    }
}

TEST(LicenseView, TypingChangesNothing) {
    RunDialog([](LicenseDialog& d) {
        const std::string before = d.view.WindowText();
        SetFocus(d.view.Handle());
        test::Key('X', true);
        test::Key('X', false);
        test::Key(VK_DELETE, true);
        test::Key(VK_DELETE, false);
        EXPECT_EQ(d.view.WindowText(), before);
    });
}

}  // namespace
}  // namespace brimel
