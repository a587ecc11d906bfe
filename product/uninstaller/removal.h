// Carrying out the removal plan, and what came of it.
#pragma once

#include "core/array.h"
#include "core/string.h"

#include "removal_plan.h"

namespace brimel::product {

struct RemovalOutcome {
    Array<String> failed;  // items that are still there
    Array<String> kept;    // folders that still hold something of the user's
    bool Complete() const { return failed.empty(); }
};

// Removes the plan's files and empty folders. Only when all of them are
// gone do the uninstall entry and, last, the installed uninstaller go: until
// then the entry leads to an uninstaller that can be run again to finish.
RemovalOutcome CarryOut(const RemovalPlan& plan);

// Removes one file; true when no file is left at the path. A folder of the
// same name is not ours and counts as no file.
bool RemoveFile(const String& path);

}  // namespace brimel::product
