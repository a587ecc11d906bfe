// Pixel counts designed for 96 DPI, at the DPI the program is told.
#pragma once

#include <cstdint>

namespace brimel {

// value x dpi / 96, halves rounded up as the platform's MulDiv rounds them,
// for a pixel count of 0 to 200,000. A DPI no screen gives (0 or less, or
// above 9600) leaves the value as designed for 96.
int32_t ScaleForDpi(int32_t value, int32_t dpi);

}  // namespace brimel
