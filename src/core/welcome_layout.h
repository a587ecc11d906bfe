// Where the welcome dialog's controls go, and its window sizes, at the DPI
// the program is told: its pixel constants grow as its template does.
#pragma once

#include <cstdint>

#include "core/dpi_scale.h"
#include "core/geometry.h"

namespace brimel {

struct WelcomeLayoutInput {
    int32_t clientWidth = 0, clientHeight = 0;
    // Each control keeps its own size: the picture its window's, the
    // button and the box their client areas'.
    int32_t pictureWidth = 0, pictureHeight = 0;
    int32_t buttonWidth = 0, buttonHeight = 0;
    int32_t boxWidth = 0, boxHeight = 0;
    int32_t dpi = 96;
};

// A control's place in client coordinates, as a move takes it.
struct Placement {
    int32_t x, y, width, height;
};

inline bool operator==(const Placement& a, const Placement& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

// The controls laid out, in the order they are moved.
enum class WelcomeControl : int32_t { License, Picture, Button, Box };
constexpr int32_t kWelcomeControls = 4;

struct WelcomeLayout {
    Placement places[kWelcomeControls];
    const Placement& operator[](WelcomeControl c) const { return places[static_cast<int32_t>(c)]; }
};

WelcomeLayout LayOutWelcome(const WelcomeLayoutInput& in);

// The window's size when it opens and the least it can be sized to.
Point WelcomeInitialSize(int32_t dpi);
Point WelcomeMinimumSize(int32_t dpi);

}  // namespace brimel
