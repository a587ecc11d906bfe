// The messenger's companion library, BC.dll beside the program: loaded for
// the messenger's whole run, its version text shown in the status line so
// that a broken or missing library is visible at once.
#pragma once

#include "core/string.h"
#include "core/win32/owners.h"

namespace brimel::product {

class CompanionLibrary {
public:
    // Loads the library from the program's folder; nothing when that folder
    // is unknown (empty).
    explicit CompanionLibrary(const String& programFolder);

    // The library's version text, or why there is none.
    const String& StatusText() const { return status_; }

private:
    Library library_;
    String status_;
};

}  // namespace brimel::product
