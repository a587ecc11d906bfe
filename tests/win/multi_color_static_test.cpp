// The text label in a real dialog: its colours, weight, link behaviour,
// disabled look and run list, read back from the screen under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "framework/application.h"
#include "framework/dialog.h"
#include "resource.h"
#include "support/test_support.h"
#include "support/ui_driving.h"
#include "ui/controls/multi_color_static.h"
#include "ui/controls/radio_check_button.h"

namespace brimel {
namespace {

using test::Grab;
using test::Picture;

constexpr UINT kDialogId = 6001;
constexpr int kPlainId = 6002, kBoldId = 6003, kLinkId = 6004, kDisabledId = 6005, kBoxId = 6006,
              kOtherId = 6007;
constexpr COLORREF kBackground = RGB(60, 110, 170);
constexpr COLORREF kInk = RGB(250, 240, 40);       // the override colour
constexpr COLORREF kRunGreen = RGB(0, 160, 0);     // the runs' own colour
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGrey = RGB(172, 168, 153);
constexpr COLORREF kWhite = RGB(255, 255, 255);

Application app;  // the shared dialog font and face name

class LabelDialog : public Dialog {
public:
    explicit LabelDialog(std::function<void(LabelDialog&)> script)
        : Dialog(kDialogId, nullptr), script_(std::move(script)) {}

    CMultiColorStatic plain, bold, link, disabled;
    BRadioCheckButton box;
    std::string linkAddress;

protected:
    void DoDataExchange() override {
        BindControl(kPlainId, plain);
        BindControl(kBoldId, bold);
        BindControl(kLinkId, link);
        BindControl(kDisabledId, disabled);
        BindControl(kBoxId, box);
    }
    BOOL OnInitDialog() override {
        RECT size = {0, 0, 340, 200};
        AdjustWindowRectEx(&size, GetWindowLongA(Handle(), GWL_STYLE), FALSE, 0);
        SetWindowPos(Handle(), nullptr, 0, 0, size.right - size.left, size.bottom - size.top,
                     SWP_NOMOVE | SWP_NOZORDER);
        const int ids[] = {kPlainId, kBoldId, kLinkId, kDisabledId, kBoxId, kOtherId};
        for (int i = 0; i < 6; ++i)
            SetWindowPos(GetDlgItem(Handle(), ids[i]), nullptr, 12, 12 + 28 * i, i == 5 ? 80 : 300,
                         i == 5 ? 24 : 18, SWP_NOZORDER);
        CMultiColorStatic* labels[] = {&plain, &bold, &link, &disabled};
        for (CMultiColorStatic* label : labels) {
            label->SetTextColor(kInk);
            label->TakeWindowText();
        }
        // The same words once plain and once bold, both in a colour of their
        // own that the override replaces.
        const std::string words = plain.GetRun(0).text;
        plain.RemoveAll();
        plain.AddText(words.c_str(), kRunGreen);
        bold.RemoveAll();
        bold.AddText(words.c_str(), kRunGreen | kRunBold);
        if (!linkAddress.empty()) link.SetLink(linkAddress.c_str());
        box.SetTextColor(kInk);
        box.SetCheck(1);
        PostMessageA(Handle(), WM_APP, 0, 0);
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_ERASEBKGND) {
            RECT client = ClientRect();
            HBRUSH brush = CreateSolidBrush(kBackground);
            FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
            DeleteObject(brush);
            return TRUE;
        }
        if (message == WM_APP) {
            SetForegroundWindow(Handle());
            RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            test::Pump(100);
            script_(*this);
            if (const char* hold = std::getenv("BRIMEL_HOLD_DIALOG_MS")) test::Pump(std::atoi(hold));
            EndDialog(IDOK);
            return 0;
        }
        return Dialog::WindowProc(message, wParam, lParam);
    }

private:
    std::function<void(LabelDialog&)> script_;
};

void RunDialog(const std::function<void(LabelDialog&)>& script, const std::string& linkAddress = "") {
    SetCursorPos(1000, 740);
    bool ran = false;
    LabelDialog dialog([&](LabelDialog& d) {
        ran = true;
        script(d);
    });
    dialog.linkAddress = linkAddress;
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(ran);
}

TEST(MultiColorStatic, RunsAreDrawnInTheOverrideColourAndBoldIsHeavier) {
    RunDialog([](LabelDialog& d) {
        const Picture plain = Grab(d.plain.Handle());
        const Picture bold = Grab(d.bold.Handle());
        EXPECT_GT(plain.Count(kInk), 20);
        EXPECT_GT(bold.Count(kInk), plain.Count(kInk) * 11 / 10) << "bold is no heavier than plain";
        EXPECT_EQ(plain.Count(kRunGreen) + bold.Count(kRunGreen), 0) << "the run's own colour shows";
        // The text lies over the dialog's own background.
        EXPECT_EQ(plain.At(plain.width - 1, plain.height - 1), kBackground);
    });
}

TEST(MultiColorStatic, LinkTurnsRedWhileThePointerRestsAndOpensThroughTheShellOnThePress) {
    test::TempFolder folder("label-link");
    const std::string marker = folder / "opened.txt";
    const std::string script = folder / "open.bat";
    ASSERT_TRUE(test::WriteBytes(script, [&] {
        const std::string text = "@echo %~f0> \"" + marker + "\"\r\n";
        return std::vector<unsigned char>(text.begin(), text.end());
    }()));
    RunDialog(
        [&](LabelDialog& d) {
            HWND link = d.link.Handle();
            EXPECT_EQ(Grab(link).Count(kRed), 0);
            test::PointAt(test::OnScreen(link, 20, 8));
            EXPECT_TRUE(test::PumpUntil([&] { return Grab(link).Count(kRed) > 20; })) << "never red";
            EXPECT_EQ(Grab(link).Count(kInk), 0);
            EXPECT_EQ(GetCursor(), LoadCursorA(ResourceInstance(), MAKEINTRESOURCEA(IDC_HAND_CURSOR)));
            // A label without a link stays as it was under the pointer.
            test::PointAt(test::OnScreen(d.plain.Handle(), 20, 8));
            test::Pump(200);
            EXPECT_TRUE(test::PumpUntil([&] { return Grab(link).Count(kRed) == 0; })) << "stays red";
            EXPECT_GT(Grab(link).Count(kInk), 20);
            EXPECT_EQ(Grab(d.plain.Handle()).Count(kRed), 0);

            test::PointAt(test::OnScreen(link, 20, 8));
            EXPECT_FALSE(test::FileExists(marker));
            test::Press();
            EXPECT_TRUE(test::PumpUntil([&] { return test::FileExists(marker); }, 15000))
                << "the press did not open the link";
            test::Release();
        },
        script);
    std::vector<unsigned char> opened;
    ASSERT_TRUE(test::ReadBytes(marker, &opened));
    EXPECT_NE(std::string(opened.begin(), opened.end()).find("open.bat"), std::string::npos);
}

TEST(MultiColorStatic, DisabledTextIsGreyWithAWhiteCopyAndEnablingLeavesNoTrace) {
    RunDialog([](LabelDialog& d) {
        HWND label = d.disabled.Handle();
        // Redrawn at once: read back without pumping any message.
        EnableWindow(label, FALSE);
        const Picture off = Grab(label);
        EXPECT_GT(off.Count(kGrey), 20);
        EXPECT_GT(off.Count(kWhite), 5);
        EXPECT_EQ(off.Count(kInk), 0);
        // The white copy lies one pixel down and right (edges are smoothed,
        // so only whole pixels are compared).
        int copies = 0;
        for (int y = 0; y + 1 < off.height; ++y)
            for (int x = 0; x + 1 < off.width; ++x)
                copies += off.At(x, y) == kGrey && off.At(x + 1, y + 1) == kWhite;
        EXPECT_GT(copies, 5);

        EnableWindow(label, TRUE);
        const Picture on = Grab(label);
        EXPECT_GT(on.Count(kInk), 20);
        EXPECT_EQ(on.Count(kGrey), 0);
        EXPECT_EQ(on.Count(kWhite), 0) << "the disabled look shows through";
    });
}

std::string Texts(const CMultiColorStatic& label) {
    std::string all;
    for (int32_t i = 0; i < label.RunCount(); ++i) {
        all += label.GetRun(i).text;
        all += "|";
    }
    return all;
}

TEST(MultiColorStatic, SetRunAppendsAtTheCountAndRefusesOutsideTheListOrEmptyText) {
    RunDialog([](LabelDialog& d) {
        CMultiColorStatic& label = d.disabled;
        label.SetText("a");
        label.AddText("b", 0);
        const struct {
            int32_t index;
            const char* text;
            bool result;
            const char* after;
        } steps[] = {
            {2, "c", true, "a|b|c|"},      // at the count: appended
            {4, "d", false, "a|b|c|"},     // count + 1
            {-1, "d", false, "a|b|c|"},    // negative
            {1, "", false, "a|b|c|"},      // empty text
            {1, "B", true, "a|B|c|"},      // inside: replaced
        };
        for (const auto& s : steps) {
            TextRun run;
            run.text = s.text;
            EXPECT_EQ(label.SetRun(s.index, run), s.result) << s.index << " " << s.text;
            EXPECT_EQ(Texts(label), s.after) << s.index << " " << s.text;
        }
        EXPECT_EQ(label.GetRun(3).text, "");
        EXPECT_EQ(label.GetRun(3).style, 0u);
        EXPECT_FALSE(label.RemoveRun(3));
        // The window's text becomes the one run only the first time.
        label.TakeWindowText();
        EXPECT_EQ(Texts(label), "a|B|c|");
    });
}

}  // namespace
}  // namespace brimel
