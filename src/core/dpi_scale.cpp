#include "core/dpi_scale.h"

namespace brimel {

int32_t ScaleForDpi(int32_t value, int32_t dpi) {
    // Screens report 96 to a few hundred; beyond 9600 the product could
    // leave 32 bits, and no screen is that fine.
    if (dpi <= 0 || dpi > 9600) return value;
    return (value * dpi + 48) / 96;
}

}  // namespace brimel
