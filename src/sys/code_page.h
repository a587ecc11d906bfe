// The system code page's lead-byte test, in the form the portable text
// operations take it.
#pragma once

#include <windows.h>

namespace brimel {

inline bool IsSystemLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

}  // namespace brimel
