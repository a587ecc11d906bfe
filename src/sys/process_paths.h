// This program's own file and the temporary folder, as the system reports
// them.
#pragma once

#include "core/string.h"

namespace brimel {

// Empty when the system cannot say.
String OwnProgramPath();
String TemporaryFolder();

}  // namespace brimel
