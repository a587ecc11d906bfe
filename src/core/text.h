// Small text operations shared by the registry, probe and dialog code.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/string.h"

namespace brimel {

// `value` in decimal, right-aligned in `width` characters: padded with blanks
// before the sign (printf's "%8d") or, with pad '0', zeros after it ("%06d").
// Formatting of our own: the platform's wsprintf lives in the user-interface
// library, which the installation code does not load.
String DecimalText(int value, int width = 0, char pad = ' ');

// `value` in lowercase hexadecimal with at least `width` digits, zeros in
// front (printf's "%04x").
String HexText(uint32_t value, int width = 0);

// True for the six white-space characters: blank, tab, line feed, vertical
// tab, form feed and carriage return.
bool IsWhiteSpace(char c);

// The text at `text` up to its first zero, or all `capacity` characters when
// there is none: for text from buffers that need not be terminated.
String BoundedText(const char* text, size_t capacity);

// The text without white space at its end and then at its start.
String TrimText(const String& text);

// Answers whether a byte opens a double-byte character in the code page the
// text is in (the system's lead-byte test on Windows).
using LeadByteTest = bool (*)(unsigned char byte);

// The folder path without the backslashes at its end; backslashes inside
// the path stay. Only whole characters count: in the double-byte code pages
// a backslash byte may be the second half of a character, which stays.
String StripTrailingBackslashes(const String& path, LeadByteTest isLeadByte);

// Whether the path's last whole character is a backslash: the test before a
// folder and a file name are joined.
bool EndsWithBackslash(const String& path, LeadByteTest isLeadByte);

// The folder and the name with exactly one backslash between them: the
// folder's trailing backslashes, whole characters only, make way for one.
String JoinPath(const String& folder, const String& name, LeadByteTest isLeadByte);

// The folder that holds the file at `path`: everything before the path's
// last whole backslash character; empty when it has none.
String FolderOfPath(const String& path, LeadByteTest isLeadByte);

}  // namespace brimel
