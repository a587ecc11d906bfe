// Small text operations shared by the registry, probe and dialog code.
#pragma once

#include <cstddef>
#include "core/string.h"

namespace brimel {

// True for the six white-space characters: blank, tab, line feed, vertical
// tab, form feed and carriage return.
bool IsWhiteSpace(char c);

// The text at `text` up to its first zero, or all `capacity` characters when
// there is none: for text from buffers that need not be terminated.
String BoundedText(const char* text, size_t capacity);

// The text without white space at its end and then at its start.
String TrimText(const String& text);

// The folder path without the backslashes at its end; backslashes inside
// the path stay.
String StripTrailingBackslashes(const String& path);

}  // namespace brimel
