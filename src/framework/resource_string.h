#pragma once

#include <windows.h>

#include <string>

namespace brimel {

// A string-table entry taken verbatim (never used as a format text); empty
// when the entry does not exist.
std::string LoadResString(UINT id);

}  // namespace brimel
