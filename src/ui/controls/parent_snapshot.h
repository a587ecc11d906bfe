// The pseudo-transparency of the installer's own text and choice controls:
// a copy of what the dialog shows beneath a control, painted first.
#pragma once

#include <windows.h>

#include "framework/gdi.h"
#include "ui/draw/skinned_text.h"

namespace brimel {

// Paints the control's snapshot at 0,0 of `target`.  Without a snapshot,
// one is first copied from the parent's client area beneath the control,
// as the screen shows it now, but only while the parent is the active
// window; with none, nothing is painted and the old pixels stay.
void PaintParentSnapshot(HWND control, Snapshot& snapshot, HDC target);

// What the label and the check box share: the skin's look of their text and
// the copy of the dialog beneath them.
class SkinnedSurface {
public:
    // Takes the skin's look; the next paint copies the dialog beneath anew.
    void SetLook(const TextLook& look) {
        look_ = look;
        snapshot_.Reset();
    }
    const TextLook& Look() const { return look_; }
    // Forgets the copy of the dialog beneath; the next paint takes a new one.
    void DiscardSnapshot() { snapshot_.Reset(); }

protected:
    TextLook look_;
    Snapshot snapshot_;
};

// Redraws a control at once, without erasing, for a change of its own look
// (colour, state): the dialog beneath stays as it was, and so does the copy
// of it.  Retaken now, the copy would hold the control's earlier drawing,
// and text drawn over itself again and again grows heavier at its smoothed
// edges.
void RedrawLook(HWND control);

}  // namespace brimel
