// The text label in a real dialog: its colours, weight, link behaviour,
// disabled look and run list, read back from the screen under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "framework/application.h"
#include "resource.h"
#include "support/canvas.h"
#include "support/test_support.h"
#include "support/ui_driving.h"
#include "ui/controls/multi_color_static.h"
#include "ui/controls/radio_check_button.h"

namespace brimel {
namespace {

using test::Grab;
using test::ClientPixels;
using test::ScriptedDialog;

constexpr UINT kDialogId = 6001;
constexpr COLORREF kBackground = RGB(60, 110, 170);
constexpr COLORREF kInk = RGB(250, 240, 40);    // the override colour
constexpr COLORREF kRunGreen = RGB(0, 160, 0);  // the runs' own colour
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGrey = RGB(172, 168, 153);
constexpr COLORREF kWhite = RGB(255, 255, 255);

Application app;  // the shared dialog font and face name

// The dialog's labels: the same words once plain and once bold, both in a
// colour of their own that the override replaces; a link; a label to
// disable; and a check box, for the look of it.
struct Labels {
    CMultiColorStatic plain, bold, link, disabled;
    BRadioCheckButton box;
    String linkAddress;

    void Run(const ScriptedDialog::Step& script) {
        test::RunScripted(
            kDialogId,
            [&](ScriptedDialog& d) {
                d.BindControl(6002, plain);
                d.BindControl(6003, bold);
                d.BindControl(6004, link);
                d.BindControl(6005, disabled);
                d.BindControl(6006, box);
            },
            [&](ScriptedDialog& d) {
                d.background = kBackground;
                d.SetClientSize(340, 200);
                for (int i = 0; i < 6; ++i) d.Place(6002 + i, 12, 12 + 28 * i, i == 5 ? 80 : 300, i == 5 ? 24 : 18);
                for (CMultiColorStatic* label : {&plain, &bold, &link, &disabled}) {
                    label->SetLook({kInk, kNoColor, kNoColor});
                    label->TakeWindowText();
                }
                const String words = plain.GetRun(0).text;
                plain.RemoveAll();
                plain.AddText(words.c_str(), kRunGreen);
                bold.RemoveAll();
                bold.AddText(words.c_str(), kRunGreen | kRunBold);
                if (!linkAddress.empty()) link.SetLink(linkAddress.c_str());
                box.SetLook({kInk, kNoColor, kNoColor});
                box.SetCheck(1);
            },
            script);
    }
};

TEST(MultiColorStatic, RunsAreDrawnInTheOverrideColourAndBoldIsHeavier) {
    Labels labels;
    labels.Run([&](ScriptedDialog&) {
        const ClientPixels plain = Grab(labels.plain.Handle());
        const ClientPixels bold = Grab(labels.bold.Handle());
        EXPECT_GT(plain.Count(kInk), 20);
        EXPECT_GT(bold.Count(kInk), plain.Count(kInk) * 11 / 10) << "bold is no heavier than plain";
        EXPECT_EQ(plain.Count(kRunGreen) + bold.Count(kRunGreen), 0) << "the run's own colour shows";
        EXPECT_EQ(plain.At(plain.width - 1, plain.height - 1), kBackground);
        // Printed into another context, the label draws what the screen shows.
        test::Canvas printed(plain.width, plain.height);
        SendMessageA(labels.plain.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.dc()), PRF_CLIENT);
        EXPECT_TRUE(printed.Pixels() == plain.pixels) << "printed unlike the screen";
    });
}

TEST(MultiColorStatic, LinkTurnsRedWhileThePointerRestsAndOpensThroughTheShellOnThePress) {
    // The link is a batch file that leaves its own path in a marker file:
    // the shell really opens it, and no browser starts.
    test::TempFolder folder("label-link");
    const String marker = folder / "opened.txt";
    const String script = test::WriteMarkerScript(folder, marker, "%~f0");
    ASSERT_FALSE(script.empty());
    Labels labels;
    labels.linkAddress = script;
    labels.Run([&](ScriptedDialog&) {
        HWND link = labels.link.Handle();
        EXPECT_EQ(Grab(link).Count(kRed), 0);
        test::PointAt(test::OnScreen(link, 20, 8));
        EXPECT_TRUE(test::PumpUntil([&] { return Grab(link).Count(kRed) > 20; })) << "never red";
        EXPECT_EQ(Grab(link).Count(kInk), 0);
        EXPECT_EQ(GetCursor(), LoadCursorA(ResourceInstance(), MAKEINTRESOURCEA(IDC_HAND_CURSOR)));
        // Away, over a label without a link, which stays as it was.
        test::PointAt(test::OnScreen(labels.plain.Handle(), 20, 8));
        EXPECT_TRUE(test::PumpUntil([&] { return Grab(link).Count(kRed) == 0; })) << "stays red";
        EXPECT_GT(Grab(link).Count(kInk), 20);
        EXPECT_EQ(Grab(labels.plain.Handle()).Count(kRed), 0);

        // High contrast: the system's hot-light colour.
        labels.link.SetLook({kInk, kNoColor, kNoColor, kGrey, kRunGreen, true});
        test::PointAt(test::OnScreen(link, 20, 8));
        EXPECT_TRUE(test::PumpUntil([&] { return Grab(link).Count(kRunGreen) > 20; })) << "not hot-light";
        EXPECT_FALSE(test::FileExists(marker));
        test::Press();
        EXPECT_TRUE(test::PumpUntil([&] { return test::FileExists(marker); }, 15000)) << "not opened";
        test::Release();
    });
    std::vector<unsigned char> opened;
    ASSERT_TRUE(test::ReadBytes(marker, &opened));
    EXPECT_NE(String(reinterpret_cast<const char*>(opened.data()), opened.size()).find("open.bat"), String::npos);
}

TEST(MultiColorStatic, DisabledTextIsGreyWithAWhiteCopyAndEnablingLeavesNoTrace) {
    Labels labels;
    labels.Run([&](ScriptedDialog&) {
        HWND label = labels.disabled.Handle();
        // Redrawn at once: read back without pumping any message.
        EnableWindow(label, FALSE);
        const ClientPixels off = Grab(label);
        EXPECT_GT(off.Count(kGrey), 20);
        EXPECT_EQ(off.Count(kInk), 0);
        // The white copy lies one pixel down and right (edges are smoothed,
        // so only whole pixels are compared).
        int copies = 0;
        for (int y = 0; y + 1 < off.height; ++y)
            for (int x = 0; x + 1 < off.width; ++x)
                copies += off.At(x, y) == kGrey && off.At(x + 1, y + 1) == kWhite;
        EXPECT_GT(copies, 5);

        EnableWindow(label, TRUE);
        const ClientPixels on = Grab(label);
        EXPECT_GT(on.Count(kInk), 20);
        EXPECT_EQ(on.Count(kGrey) + on.Count(kWhite), 0) << "the disabled look shows through";

        // High contrast: the system's grey text, and no white copy.
        labels.disabled.SetLook({kInk, kNoColor, kNoColor, kRunGreen, kRed, true});
        EnableWindow(label, FALSE);
        const ClientPixels system = Grab(label);
        EXPECT_GT(system.Count(kRunGreen), 20);
        EXPECT_EQ(system.Count(kWhite) + system.Count(kGrey), 0);
    });
}

String Texts(const CMultiColorStatic& label) {
    String all;
    for (int32_t i = 0; i < label.RunCount(); ++i) all += label.GetRun(i).text + "|";
    return all;
}

TEST(MultiColorStatic, SetRunAppendsAtTheCountAndRefusesOutsideTheListOrEmptyText) {
    Labels labels;
    labels.Run([&](ScriptedDialog&) {
        CMultiColorStatic& label = labels.disabled;
        label.SetText("a");
        label.AddText("b", 0);
        const struct {
            int32_t index;
            const char* text;
            bool result;
            const char* after;
        } steps[] = {
            {2, "c", true, "a|b|c|"},   // at the count: appended
            {4, "d", false, "a|b|c|"},  // count + 1
            {-1, "d", false, "a|b|c|"}, // negative
            {1, "", false, "a|b|c|"},   // empty text
            {1, "B", true, "a|B|c|"},   // inside: replaced
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
        // The window's text became the one run when the dialog was set up,
        // and does not come back.
        label.TakeWindowText();
        EXPECT_EQ(Texts(label), "a|B|c|");
    });
}

}  // namespace
}  // namespace brimel
