// The pseudo-transparency of the installer's own text and choice controls:
// a copy of what the dialog shows beneath a control, painted first.
#pragma once

#include <windows.h>

#include "framework/gdi.h"

namespace brimel {

// Paints the control's snapshot at 0,0 of `target`.  Without a snapshot,
// one is first copied from the parent's client area beneath the control,
// as the screen shows it now, but only while the parent is the active
// window; with none, nothing is painted and the old pixels stay.
void PaintParentSnapshot(HWND control, Snapshot& snapshot, HDC target);

}  // namespace brimel
