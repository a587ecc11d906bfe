// The welcome dialog as the user first sees it: template 102 and its controls.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/setup_app.h"
#include "app/welcome_dialog.h"
#include "resource.h"
#include "string_printer.h"

namespace brimel {
namespace {

class InspectedWelcome : public WelcomeDialog {
public:
    struct Control { String className, text; };
    std::vector<std::pair<int, Control>> controls;
    String caption;
    bool visible = false;
    bool enterEnded = false;
    int stage = 0;

protected:
    bool PreTranslateMessage(MSG* msg) override {
        // Inspect once the loop runs and the window is up, then try Enter,
        // then close with Escape as a user would.
        if (stage == 0 && IsWindowVisible(Handle())) {
            stage = 1;
            visible = true;
            char text[256];
            GetWindowTextA(Handle(), text, sizeof text);
            caption = text;
            for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                char cls[64];
                GetClassNameA(child, cls, sizeof cls);
                GetWindowTextA(child, text, sizeof text);
                controls.push_back({GetDlgCtrlID(child), {cls, text}});
            }
            SetFocus(GetDlgItem(Handle(), IDC_ACCEPT));
            PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
            PostMessageA(Handle(), WM_NULL, 0, 0);
        } else if (stage == 1 && msg->message == WM_NULL) {
            stage = 2;
            enterEnded = !IsRunning();
            PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
        }
        return WelcomeDialog::PreTranslateMessage(msg);
    }
};

TEST(WelcomeDialog, ShowsTemplate102AndClosesWithEscapeButNotEnter) {
    LoadLibraryA("riched32.dll");  // the "RICHEDIT" window class
    SetupApp app;
    app.LoadSharedResources();
    InspectedWelcome dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(dialog.visible);
    EXPECT_FALSE(dialog.enterEnded);
    EXPECT_EQ(dialog.caption, "Welcome to Brimel Messenger");
    EXPECT_EQ(dialog.desktopShortcutRemoved, 0);
    const std::vector<std::pair<int, String>> expected = {
        {IDC_LICENSE_VIEW, "RICHEDIT"}, {IDC_ACCEPT, "Button"},       {IDC_INSTALL, "Button"},
        {IDC_CAPTION_AGREEMENT, "Static"}, {IDC_CAPTION_HELLO, "Static"}, {IDC_CAPTION_THANKS, "Static"},
        {IDC_WELCOME_ART, "Static"},
    };
    ASSERT_EQ(dialog.controls.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(dialog.controls[i].first, expected[i].first) << "tab order position " << i;
        EXPECT_STRCASEEQ(dialog.controls[i].second.className.c_str(), expected[i].second.c_str());
    }
    EXPECT_EQ(dialog.controls[2].second.text, "Install &Brimel Messenger");
    EXPECT_EQ(dialog.controls[4].second.text, "Hello!");
}

}  // namespace
}  // namespace brimel
