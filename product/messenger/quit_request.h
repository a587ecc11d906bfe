// The quit request "/u.U": the setup program and the uninstaller start the
// messenger with it before they replace or remove its program file.
#pragma once

#include "core/array.h"
#include "core/string.h"

namespace brimel::product {

// True when one of the arguments is "/u.U", in any case.
bool IsQuitRequest(const Array<String>& arguments);

// Asks the running copy, if any, to close and waits up to 10 seconds for it
// to end. True when no copy is left running.
bool AskRunningCopyToQuit();

}  // namespace brimel::product
