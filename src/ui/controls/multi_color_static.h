// The installer's text label: runs of coloured, bold, italic or underlined
// text with its own word wrap, drawn over a copy of the dialog beneath it,
// optionally a web link.
#pragma once

#include <windows.h>

#include <cstdint>
#include "core/string.h"
#include "core/array.h"

#include "framework/class_record.h"
#include "framework/gdi.h"
#include "framework/skin_settings.h"
#include "ui/accessibility/accessible_control.h"
#include "ui/controls/parent_snapshot.h"

namespace brimel {

// Style word of a run: bits 0-23 the colour (0x00BBGGRR) and three flags;
// kDefaultRunStyle (all bits set) is the menu-text colour, plain.
constexpr uint32_t kDefaultRunStyle = 0xFFFFFFFF;
constexpr uint32_t kRunColorMask = 0x00FFFFFF;
constexpr uint32_t kRunBold = 0x01000000;
constexpr uint32_t kRunItalic = 0x02000000;
constexpr uint32_t kRunUnderline = 0x04000000;

// One piece of text; a newline breaks the line.
struct TextRun {
    String text;
    uint32_t style = 0;
};

class CMultiColorStatic : public AccessibleWindow, public SkinnedSurface {
    BRIMEL_DECLARE_CLASS(CMultiColorStatic)

public:
    CMultiColorStatic() = default;
    ~CMultiColorStatic() override = default;

    // Puts a copy of the run at `index`: replaces the run there, or appends
    // when index is the run count.  False for an index outside 0..count or
    // an empty text, and nothing changes.
    virtual bool SetRun(int32_t index, const TextRun& run);
    // A copy of the run at `index`; an empty run with style 0 outside the list.
    virtual TextRun GetRun(int32_t index) const;
    virtual bool AddText(const char* text, uint32_t style);
    virtual bool AddRun(const TextRun& run);
    // False for an index outside the list.
    virtual bool RemoveRun(int32_t index);
    virtual bool RemoveAll();

    int32_t RunCount() const { return static_cast<int32_t>(runs_.size()); }

    // The text as one black, plain run.
    void SetText(const char* text);
    // The window's text as one plain run, the first time only: later skin
    // applications must not undo a text set since.
    void TakeWindowText();
    // The window's text as one bold run in the override colour; with no
    // override, all bits stay set and the run takes the default style.
    void RefreshCaption();

    // Every run is drawn in the look's text colour; a link goes back to it
    // on leaving.
    // Makes the control a link to `address`, with the pointing hand over it.
    void SetLink(const char* address);
    const String& Link() const { return link_; }

    // Read-only text, or a link that a press opens; neither takes focus.
    void Describe(ControlDescription& d) const override;

    // Height of "A" in the shared dialog font.
    int32_t LineHeight();
    // Lines the text needs at the control's width in the shared dialog font,
    // breaking at characters; at least 1.
    int32_t CountLines(const char* text);

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The whole control into `dc`: for a paint and for a print of the client.
    void Paint(HDC dc);
    void DrawPiece(HDC dc, const char* text, size_t length, int32_t line, int32_t x, int32_t height);
    // The shared dialog font in the run's style, built on first use and
    // kept for the control's life: one per combination of bold, italic and
    // underline.
    HFONT RunFont(uint32_t style);
    COLORREF RunColor(uint32_t style) const;
    void InvalidateText();

    HCURSOR cursor_ = nullptr;
    bool hot_ = false;  // the pointer rests on the link
    bool tracking_ = false;
    bool textTaken_ = false;
    Array<TextRun> runs_;
    Font runFonts_[8];
    RECT client_ = {0, 0, 0, 0};
    String link_;
};

}  // namespace brimel
