// Whether the system asks for high contrast, and the system's colours for the
// roles the installer's look knows: read afresh on every call, so that a
// dialog that asks again on a change of colours or settings follows it.
#pragma once

#include <windows.h>

#include "core/contrast_look.h"

namespace brimel {

// Reads SPI_GETHIGHCONTRAST's HCF_HIGHCONTRASTON.  Replaceable so that
// tests can show the high-contrast look where the system never reports it.
extern bool (*highContrastReader)();

bool HighContrastOn();

RoleColors SystemRoleColors();

}  // namespace brimel
