// Small text operations shared by the registry, probe and dialog code.
#pragma once

#include <cstddef>
#include <string>

namespace brimel {

// True for the six white-space characters: blank, tab, line feed, vertical
// tab, form feed and carriage return.
bool IsWhiteSpace(char c);

// The text at `text` up to its first zero, or all `capacity` characters when
// there is none: for text from buffers that need not be terminated.
std::string BoundedText(const char* text, size_t capacity);

// The text without white space at its end and then at its start.
std::string TrimText(const std::string& text);

// Answers whether a byte opens a double-byte character in the code page the
// text is in (the system's lead-byte test on Windows).
using LeadByteTest = bool (*)(unsigned char byte);

// The folder path without the backslashes at its end; backslashes inside
// the path stay. Only whole characters count: in the double-byte code pages
// a backslash byte may be the second half of a character, which stays.
std::string StripTrailingBackslashes(const std::string& path, LeadByteTest isLeadByte);

}  // namespace brimel
