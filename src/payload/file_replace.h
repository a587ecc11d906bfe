// Replacing a file's contents so that a failure never damages what was there.
#pragma once

#include <windows.h>

#include <cstdint>

namespace brimel {

// Writes `size` bytes to `path`, creating or replacing the file, and sets its
// last-write time when `lastWrite` is given. The bytes go to a file beside the
// target first, which replaces the target only once it is complete: a full
// disk or an I/O error leaves an existing file as it was. A target that cannot
// be opened for writing (in use, read-only, a folder) fails before anything
// is written.
bool ReplaceFileContents(const char* path, const void* data, uint32_t size,
                         const FILETIME* lastWrite);

}  // namespace brimel
