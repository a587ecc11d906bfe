// Plain geometry records shared by the portable drawing code and the Win32 shell.
#pragma once

#include <cstdint>

namespace brimel {

// Same field order and widths as the platform's RECT: left, top, right, bottom,
// right and bottom exclusive.
struct Rect {
    int32_t left, top, right, bottom;
};

struct Point {
    int32_t x, y;
};

inline bool operator==(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool operator!=(const Rect& a, const Rect& b) { return !(a == b); }

inline bool operator==(const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; }
inline bool operator!=(const Point& a, const Point& b) { return !(a == b); }

}  // namespace brimel
