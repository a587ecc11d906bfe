#include "framework/high_contrast.h"

namespace brimel {
namespace {

bool ReadSystemHighContrast() {
    HIGHCONTRASTA record = {sizeof record, 0, nullptr};
    // Fails on systems without the accessibility options: contrast is then off.
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof record, &record, 0) &&
           (record.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace

bool (*highContrastReader)() = ReadSystemHighContrast;

bool HighContrastOn() { return highContrastReader(); }

RoleColors SystemRoleColors() {
    return {GetSysColor(COLOR_WINDOW),  GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_BTNFACE),
            GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_GRAYTEXT),   GetSysColor(COLOR_HOTLIGHT)};
}

}  // namespace brimel
