// Times the welcome dialog's painting as the user meets it: the whole window
// repainted after a resize (layout, erase, every control), and each of the
// dialog's own controls redrawn alone. The real dialog runs, with its
// start-up checks and the license streamed in; once it is on screen the
// timings run inside its message loop, then it closes.
//
//   welcome_paint_bench.exe [rounds]      (default 200)
// Prints one line per measurement: name, mean and worst milliseconds.
#include <windows.h>

#include <ole2.h>

#include <cstdio>
#include <cstdlib>

#include "app/setup_app.h"
#include "app/welcome_dialog.h"
#include "resource.h"

using namespace brimel;

namespace {

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

struct Figure {
    const char* name;
    double total = 0, worst = 0;
    int count = 0;
    void Add(double ms) {
        total += ms;
        worst = ms > worst ? ms : worst;
        ++count;
    }
    void Print() const { std::printf("%-28s mean %.3f ms  worst %.3f ms  (%d)\n", name, total / count, worst, count); }
};

// Paints synchronously, then waits for the drawing to reach the display.
double TimedRedraw(HWND window, UINT flags) {
    double start = Now();
    RedrawWindow(window, nullptr, nullptr, flags | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    GdiFlush();
    return Now() - start;
}

// Resizes the window to the size of round `round` (two sizes in turn, as a
// drag of the frame would give) and repaints it whole, as above.
double TimedResize(HWND window, int round) {
    double start = Now();
    SetWindowPos(window, nullptr, 0, 0, 750 + (round % 2) * 50, 570 + (round % 2) * 30, SWP_NOMOVE | SWP_NOZORDER);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    GdiFlush();
    return Now() - start;
}

class BenchedWelcome : public WelcomeDialog {
public:
    explicit BenchedWelcome(int rounds) : rounds_(rounds) {}
    bool ran = false;

protected:
    bool PreTranslateMessage(MSG* msg) override {
        if (!ran && IsWindowVisible(Handle())) {
            ran = true;
            Run();
            PostMessageA(Handle(), WM_CLOSE, 0, 0);
        }
        return WelcomeDialog::PreTranslateMessage(msg);
    }

private:
    void Run() {
        Figure resize{"resize + full repaint"}, repaint{"full repaint, same size"};
        struct Own { int id; Figure figure; } own[] = {
            {IDC_INSTALL, {"image button"}},
            {IDC_ACCEPT, {"check box"}},
            {IDC_CAPTION_AGREEMENT, {"multi-colour caption"}},
            {IDC_CAPTION_THANKS, {"multi-colour greeting"}},
            {IDC_LICENSE_VIEW, {"license view (system's)"}},
            {IDC_WELCOME_ART, {"picture (system's)"}},
        };
        for (int i = 0; i < rounds_; ++i) {
            resize.Add(TimedResize(Handle(), i));
            repaint.Add(TimedRedraw(Handle(), RDW_ALLCHILDREN));
            for (Own& control : own) control.figure.Add(TimedRedraw(GetDlgItem(Handle(), control.id), 0));
        }
        // What a resize costs the system alone: an empty window of the same
        // style and size, resized and repainted the same way.
        Figure floor{"resize, empty window (floor)"};
        HWND empty = CreateWindowExA(0, "#32770", "empty", GetWindowLongA(Handle(), GWL_STYLE), 20, 20, 750, 570,
                                     nullptr, nullptr, nullptr, nullptr);
        for (int i = 0; i < rounds_; ++i) floor.Add(TimedResize(empty, i));
        DestroyWindow(empty);
        resize.Print();
        floor.Print();
        repaint.Print();
        for (const Own& control : own) control.figure.Print();
    }

    int rounds_;
};

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 200;
    if (rounds < 1) {
        std::fprintf(stderr, "usage: welcome_paint_bench [rounds]\n");
        return 2;
    }
    LoadLibraryA("riched32.dll");  // the "RICHEDIT" window class
    OleInitialize(nullptr);
    SetupApp app;
    app.LoadSharedResources();
    BenchedWelcome dialog(rounds);
    dialog.DoModal();
    if (!dialog.ran) {
        std::fprintf(stderr, "welcome_paint_bench: the welcome dialog did not open\n");
        return 1;
    }
    return 0;
}
