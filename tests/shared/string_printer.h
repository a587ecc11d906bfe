// Lets the tests stream the core's String, and GoogleTest show it in failure
// messages, as text.
#pragma once

#include <ostream>

#include "core/string.h"

namespace brimel {

inline std::ostream& operator<<(std::ostream& out, const String& text) {
    return out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

inline void PrintTo(const String& text, std::ostream* out) { *out << '"' << text << '"'; }

}  // namespace brimel
