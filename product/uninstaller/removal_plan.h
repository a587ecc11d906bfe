// What the uninstaller removes, in order: the one plan that the silent and
// the interactive run both carry out.
#pragma once

#include "core/array.h"
#include "core/string.h"

#include "installation.h"

namespace brimel::product {

struct RemovalPlan {
    String messenger;       // stopped before anything is removed
    Array<String> files;    // the installed files and the shortcuts
    Array<String> folders;  // each removed only when empty, deepest first
    String uninstaller;     // the installed uninstaller, which goes last
};

// The files of the installer's own table (the uninstaller apart) in the
// product and skin folders, and the shortcuts.
RemovalPlan PlanRemoval(const Installation& installation);

}  // namespace brimel::product
