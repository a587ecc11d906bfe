// What the messenger's window shows: the skin with its caption buttons, or,
// without a skin, a plain panel with a note; and the status line below.
#pragma once

#include <windows.h>

#include "core/string.h"
#include "skin.h"

namespace brimel::product {

// Paints the whole client area; the context comes back as it was.
void PaintMessenger(HDC dc, const RECT& client, const Skin& skin, const String& status);

}  // namespace brimel::product
