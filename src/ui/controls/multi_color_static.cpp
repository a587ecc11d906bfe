#include "ui/controls/multi_color_static.h"

#include <shellapi.h>

#include <utility>

#include "core/line_breaker.h"
#include "framework/application.h"
#include "resource.h"
#include "ui/draw/skinned_text.h"

namespace brimel {

BRIMEL_IMPLEMENT_CLASS(CMultiColorStatic, AccessibleWindow)

namespace {

constexpr UINT kHoverMilliseconds = 50;

// Widths in whatever font the device context holds.
class DcMeasure : public TextMeasure {
public:
    explicit DcMeasure(HDC dc) : dc_(dc) {}
    int32_t Width(const char* text, size_t length) override {
        SIZE extent = {0, 0};
        GetTextExtentPoint32A(dc_, text, static_cast<int>(length), &extent);
        return extent.cx;
    }

private:
    HDC dc_;
};

}  // namespace

bool CMultiColorStatic::SetRun(int32_t index, const TextRun& run) {
    if (index < 0 || index > RunCount() || run.text.empty()) return false;
    // Copied first: the caller's run may be the one about to be removed.
    TextRun copy = run;
    if (index < RunCount()) RemoveRun(index);
    runs_.push_back(std::move(copy));
    for (int32_t i = RunCount() - 1; i > index; --i) std::swap(runs_[i], runs_[i - 1]);
    InvalidateText();
    return true;
}

TextRun CMultiColorStatic::GetRun(int32_t index) const {
    if (index < 0 || index >= RunCount()) return TextRun{};
    return runs_[index];
}

bool CMultiColorStatic::AddText(const char* text, uint32_t style) {
    TextRun run;
    if (text != nullptr) run.text += text;
    run.style = style;
    return AddRun(run);
}

bool CMultiColorStatic::AddRun(const TextRun& run) { return SetRun(RunCount(), run); }

bool CMultiColorStatic::RemoveRun(int32_t index) {
    if (index < 0 || index >= RunCount()) return false;
    for (int32_t i = index; i + 1 < RunCount(); ++i) std::swap(runs_[i], runs_[i + 1]);
    runs_.pop_back();
    InvalidateText();
    return true;
}

bool CMultiColorStatic::RemoveAll() {
    for (int32_t i = RunCount() - 1; i >= 0; --i) RemoveRun(i);
    InvalidateText();
    return true;
}

void CMultiColorStatic::SetText(const char* text) {
    RemoveAll();
    AddText(text, 0);
    // The window text follows what is shown, so that screen readers and
    // other assistive tools can read the message.
    if (Handle() != nullptr) {
        SetWindowTextA(Handle(), text);
        AnnounceChange(Handle(), EVENT_OBJECT_NAMECHANGE);
    }
}

void CMultiColorStatic::TakeWindowText() {
    if (textTaken_) return;
    const String text = WindowText();
    RemoveAll();
    AddText(text.c_str(), 0);
    textTaken_ = true;
}

void CMultiColorStatic::RefreshCaption() {
    TextRun run;
    run.text = WindowText();
    run.style = look_.text | kRunBold;
    RemoveAll();
    AddRun(run);
}

void CMultiColorStatic::SetLink(const char* address) {
    link_ = String();
    if (address != nullptr) link_ += address;
    cursor_ = LoadCursorA(ResourceInstance(), MAKEINTRESOURCEA(IDC_HAND_CURSOR));
}

int32_t CMultiColorStatic::LineHeight() {
    WindowDC dc(Handle());
    if (!dc) return 0;
    SelectIn font(dc.Get(), SharedDialogFont());
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(dc.Get(), "A", 1, &extent);
    return extent.cy;
}

int32_t CMultiColorStatic::CountLines(const char* text) {
    if (text == nullptr) return 1;
    WindowDC dc(Handle());
    if (!dc) return 1;
    SelectIn font(dc.Get(), SharedDialogFont());
    DcMeasure measure(dc.Get());
    const RECT client = ClientRect();
    return CountTextLines(text, lstrlenA(text), client.right - client.left, measure);
}

void CMultiColorStatic::PreSubclassWindow() {
    Window::PreSubclassWindow();
    client_ = ClientRect();
    // Mouse input needs the notify style; the simple type is the platform
    // static's least drawing of its own.  OR-ed into the type field on
    // purpose: the label's template type is SS_LEFT (0), so the result is
    // SS_SIMPLE.
    HWND hwnd = Handle();
    SetWindowLongA(hwnd, GWL_STYLE, GetWindowLongA(hwnd, GWL_STYLE) | SS_NOTIFY);
    SetWindowLongA(hwnd, GWL_STYLE, GetWindowLongA(hwnd, GWL_STYLE) | SS_SIMPLE);
}

void CMultiColorStatic::InvalidateText() {
    // No erase: the snapshot of what lies beneath stays valid when only the
    // text changes.  A snapshot retaken now would copy the old text off the
    // screen, and it would show through the new one.
    if (HasWindow()) InvalidateRect(Handle(), nullptr, FALSE);
}

LRESULT CMultiColorStatic::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!link_.empty()) {
        if (message == WM_MOUSEHOVER) {
            hot_ = true;
            RedrawLook(Handle());
        } else if (message == WM_MOUSELEAVE) {
            hot_ = false;
            tracking_ = false;
            RedrawLook(Handle());
        }
    }
    switch (message) {
        case WM_SIZE: {
            const LRESULT result = DefaultProc(message, wParam, lParam);
            client_ = ClientRect();
            return result;
        }
        case WM_DESTROY: {
            const LRESULT result = AccessibleWindow::WindowProc(message, wParam, lParam);
            for (Font& font : runFonts_) font.Reset();
            return result;
        }
        case WM_ERASEBKGND:
            // The dialog beneath may have changed; nothing is painted here.
            DiscardSnapshot();
            return 0;
        case WM_SETCURSOR:
            if (cursor_ != nullptr) {
                SetCursor(cursor_);
                return TRUE;
            }
            break;
        case WM_LBUTTONDOWN:
            // The link opens on the press.
            if (!link_.empty())
                ShellExecuteA(nullptr, "open", link_.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
            return DefaultProc(message, wParam, lParam);
        case WM_MOUSEMOVE:
            if (!tracking_) {
                tracking_ = true;
                TrackMouse(TME_HOVER | TME_LEAVE, kHoverMilliseconds);
            }
            return DefaultProc(message, wParam, lParam);
        case WM_PAINT:
            Paint(PaintDC(Handle()).Get());
            return 0;
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_SYSCOLORCHANGE: {
            const LRESULT result = AccessibleWindow::WindowProc(message, wParam, lParam);
            DiscardSnapshot();
            return result;
        }
        case WM_ENABLE: {
            const LRESULT result = DefaultProc(message, wParam, lParam);
            RedrawLook(Handle());
            return result;
        }
        default:
            break;
    }
    return AccessibleWindow::WindowProc(message, wParam, lParam);
}

void CMultiColorStatic::Describe(ControlDescription& d) const {
    d.clearedState = STATE_SYSTEM_FOCUSABLE;
    d.role = link_.empty() ? ROLE_SYSTEM_STATICTEXT : ROLE_SYSTEM_LINK;
    d.state = link_.empty() ? STATE_SYSTEM_READONLY : STATE_SYSTEM_LINKED;
    if (link_.empty()) return;
    d.action = L"Jump";
    d.actionMessage = WM_LBUTTONDOWN;
    d.actionWParam = MK_LBUTTON;
}

COLORREF CMultiColorStatic::RunColor(uint32_t style) const {
    if (!IsWindowEnabled(Handle())) return look_.grayText;
    if (hot_) return look_.hotLight;
    if (look_.text != kNoColor) return look_.text;
    if (style == kDefaultRunStyle) return GetSysColor(COLOR_MENUTEXT);
    return style & kRunColorMask;
}

HFONT CMultiColorStatic::RunFont(uint32_t style) {
    const bool plain = style == kDefaultRunStyle;
    const bool bold = !plain && (style & kRunBold), italic = !plain && (style & kRunItalic);
    const bool underline = !plain && (style & kRunUnderline);
    Font& font = runFonts_[(bold ? 1 : 0) | (italic ? 2 : 0) | (underline ? 4 : 0)];
    if (!font) {
        Application* app = CurrentApplication();
        const char* face = app != nullptr ? app->FontFaceName() : nullptr;
        LOGFONTA record = DialogFontRecord(face != nullptr ? face : "");
        record.lfWeight = bold ? FW_HEAVY : FW_NORMAL;
        record.lfItalic = italic ? TRUE : FALSE;
        record.lfUnderline = underline ? TRUE : FALSE;
        record.lfQuality = PROOF_QUALITY;
        font.Reset(CreateFontIndirectA(&record));
    }
    return font.Get();
}

void CMultiColorStatic::Paint(HDC dc) {
    if (dc == nullptr) return;
    // The context goes back as it was handed in.
    SavedDC saved(dc);
    SetBkMode(dc, TRANSPARENT);
    PaintParentSnapshot(Handle(), snapshot_, dc);

    const LineBox box = {client_.left, client_.right - client_.left};
    LinePosition at;
    at.x = client_.left;
    for (size_t r = 0; r < runs_.size(); ++r) {
        const TextRun& run = runs_[r];
        // The font of a run is selected for that run only.  Without a font
        // the context's previous one is used.
        SelectIn font(dc, RunFont(run.style));
        ::SetTextColor(dc, RunColor(run.style));
        const char* text = run.text.c_str();
        SIZE extent = {0, 0};
        GetTextExtentPoint32A(dc, text, static_cast<int>(run.text.size()), &extent);

        DcMeasure measure(dc);
        Array<LinePiece> pieces;
        BreakRun(text, run.text.size(), BreakMode::AfterSpaces, box, measure, at, pieces);
        for (size_t p = 0; p < pieces.size(); ++p)
            DrawPiece(dc, text + pieces[p].begin, pieces[p].length, pieces[p].line, pieces[p].x,
                      extent.cy);
    }
}

void CMultiColorStatic::DrawPiece(HDC dc, const char* text, size_t length, int32_t line, int32_t x,
                                  int32_t height) {
    const RECT piece = {x, line * height, client_.right, line * height + height};
    DrawSkinnedText(dc, text, static_cast<int>(length), piece, look_, IsWindowEnabled(Handle()) != FALSE);
}

}  // namespace brimel
