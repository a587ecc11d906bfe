// The arguments of a command line after the program's own name, as both
// product programs read them.
#pragma once

#include "core/array.h"
#include "core/string.h"

namespace brimel {

// Splits at blanks and tabs; double quotes group blanks and are dropped.
// The first word, the program's name, is left out.
Array<String> ArgumentsAfterProgram(const char* commandLine);

}  // namespace brimel
