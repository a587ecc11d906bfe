// A running messenger is asked to quit before anything is removed, the way
// the installer asks it before it replaces the program.
#pragma once

#include "core/string.h"

namespace brimel::product {

// True when the program file at `exe` is missing or free (no messenger runs
// from it), at once or after the quit request "/u.U" within 15 seconds.
bool StopRunningMessenger(const String& exe);

}  // namespace brimel::product
