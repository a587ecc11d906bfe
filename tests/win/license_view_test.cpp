// The license view in a real dialog: every focus gain shows the text
// unselected with the caret at the start, however the focus comes.
#include <gtest/gtest.h>
#include <windows.h>
#include <richedit.h>

#include <string>

#include "support/ui_driving.h"
#include "ui/controls/license_view.h"

namespace brimel {
namespace {

using test::ScriptedDialog;

constexpr UINT kDialogId = 8001;
constexpr int kViewId = 8002, kOtherId = 8003;

// The rich edit window class comes with this library.
const HMODULE kRichEdit = LoadLibraryA("riched32.dll");

CHARRANGE Selection(const LicenseView& view) {
    CHARRANGE range = {-1, -1};
    view.Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range;
}

void RunWithLicense(LicenseView& view, const ScriptedDialog::Step& script) {
    ASSERT_NE(kRichEdit, nullptr);
    test::RunScripted(
        kDialogId, [&](ScriptedDialog& d) { d.BindControl(kViewId, view); },
        [&](ScriptedDialog&) {
            String text;
            for (int i = 0; i < 20; ++i) text += "The licensed software is provided as it is, without warranty. ";
            SetWindowTextA(view.Handle(), text.c_str());
        },
        script);
}

TEST(LicenseView, AfterAMouseSelectionEveryFocusGainShowsTheTextUnselectedAtTheStart) {
    // Tab is the dialog's own focus move, which selects an edit control's
    // whole text before the control gains the focus.
    const struct {
        const char* what;
        bool byTab;
    } ways[] = {{"tabbing back", true}, {"focus set back", false}};
    for (const auto& way : ways) {
        LicenseView view;
        RunWithLicense(view, [&](ScriptedDialog& d) {
            SetFocus(d.Item(kOtherId));
            test::PointAt(test::OnScreen(view.Handle(), 8, 8));
            test::Press();
            test::PointAt(test::OnScreen(view.Handle(), 200, 20));
            test::Release();
            const CHARRANGE selected = Selection(view);
            EXPECT_GT(selected.cpMax, selected.cpMin) << way.what << ": the drag selected nothing";

            SetFocus(d.Item(kOtherId));
            if (way.byTab) {
                test::Key(VK_TAB, true);
                test::Key(VK_TAB, false);
            } else {
                SetFocus(view.Handle());
            }
            EXPECT_EQ(GetFocus(), view.Handle()) << way.what;
            const CHARRANGE range = Selection(view);
            EXPECT_EQ(range.cpMin, 0) << way.what;
            EXPECT_EQ(range.cpMax, 0) << way.what;
        });
    }
}

TEST(LicenseView, TypingChangesNothing) {
    LicenseView view;
    RunWithLicense(view, [&](ScriptedDialog&) {
        const String before = view.WindowText();
        SetFocus(view.Handle());
        for (BYTE key : {BYTE('X'), BYTE(VK_DELETE), BYTE(VK_BACK)}) {
            test::Key(key, true);
            test::Key(key, false);
        }
        EXPECT_EQ(view.WindowText(), before);
    });
}

}  // namespace
}  // namespace brimel
