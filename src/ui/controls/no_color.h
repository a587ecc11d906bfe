// The colour value that stands for "no colour" in optional colour fields.
#pragma once

#include <windows.h>

namespace brimel {

constexpr COLORREF kNoColor = 0xFFFFFFFF;

}  // namespace brimel
