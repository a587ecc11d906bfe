// Where the messenger's window goes: the position saved when it last closed,
// kept wholly on the screen, and the saving of it.
#pragma once

#include <windows.h>

namespace brimel::product {

// The top-left corner for a window of this outer size: the saved one, moved
// as far as needed to lie wholly in the work area of its monitor; without a
// saved one, the middle of the primary screen.
POINT InitialPosition(int outerWidth, int outerHeight);

// Keeps the window's normal (not minimized) top-left corner, and the
// product's version, in the user's settings.
void SavePlacement(HWND window);

}  // namespace brimel::product
